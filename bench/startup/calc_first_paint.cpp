// The calculator's own start-up (application object, InitInstance, the
// modal dialog), ended by the probe right after its first paint.

#include "bench/startup/first_paint_probe.h"
#include "ui/calc/calc_app.h"

int main(int argc, char** argv) {
  CCalcApp app(argc, argv);
  FirstPaintProbe probe;
  app.InitInstance();
  return 0;
}
