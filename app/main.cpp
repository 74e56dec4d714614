// corvane: the calculator window. The process lives as long as the dialog.
// With --setout it opens the setting-out window instead, or writes its PDF.

#include <QCoreApplication>

#include "ui/calc/calc_app.h"
#include "ui/sheet/setout_command.h"

int main(int argc, char** argv) {
  const SetoutCall setout = SetoutCallOf(argc, argv);
  if (setout == SetoutCall::kPdf) ChooseHeadlessPlatform();
  CCalcApp app(argc, argv);
  if (setout != SetoutCall::kNone) {
    return app.ExitInstance(RunSetout(QCoreApplication::arguments(), setout));
  }
  app.InitInstance();
  return app.ExitInstance();
}
