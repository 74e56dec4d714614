// The window tests run inside the program's own application object, so they
// see its fonts, style and palette.

#include <gtest/gtest.h>

#include <QStandardPaths>

#include "ui/calc/calc_app.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  CCalcApp app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // what windows remember goes to ~/.qttest
  return RUN_ALL_TESTS();
}
