// corvane: the calculator window. The process lives as long as the dialog.

#include "ui/calc_app.h"

int main(int argc, char** argv) {
  CCalcApp app(argc, argv);
  app.InitInstance();
  return app.ExitInstance();
}
