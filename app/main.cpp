// corvane: the calculator window. The process lives as long as the dialog.
// With --setout it opens the setting-out window instead, or writes its PDF.

#include <string>
#include <vector>

#include "ui/calc/calc_app.h"
#include "ui/sheet/setout_command.h"

int main(int argc, char** argv) {
  const SetoutCall setout = SetoutCallOf(argc, argv);
  if (setout == SetoutCall::kPdf) ChooseHeadlessPlatform();
  CCalcApp app(argc, argv);
  if (setout != SetoutCall::kNone) {
    // argv as given, Qt's own options taken out: the bytes of a file's name,
    // which QCoreApplication::arguments() would read as UTF-8 and lose.
    return app.ExitInstance(RunSetout(std::vector<std::string>(argv, argv + argc), setout));
  }
  app.InitInstance();
  return app.ExitInstance();
}
