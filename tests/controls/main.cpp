// The control tests run with the look the program uses: its interface font,
// Qt's "Windows" style and its standard palette.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>

#include "res/ui_font.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  QApplication app(argc, argv);
  res::InstallUiFont();
  QApplication::setStyle("Windows");
  QApplication::setPalette(QApplication::style()->standardPalette());
  return RUN_ALL_TESTS();
}
