// The yardstick: a plain Qt dialog with as many controls of the same kinds
// and captions as the calculator (3 push buttons, 2 radio buttons, 7 labels,
// 6 edit fields), placed by hand, in Qt's default style and font.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "bench/startup/first_paint_probe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  FirstPaintProbe probe;
  QDialog dialog;
  dialog.setWindowTitle("Corvane");
  dialog.setFixedSize(320, 180);
  int row = 0;
  const auto place = [&](QWidget* widget, int column) {
    widget->setGeometry(10 + column * 105, 5 + (row++ / 3) * 28, 100, 22);
  };
  for (const char* text : {"计算", "退出", "关于"}) place(new QPushButton(text, &dialog), row % 3);
  for (const char* text : {"坐标正算", "坐标反算"}) place(new QRadioButton(text, &dialog), row % 3);
  for (const char* text :
       {"坐标的正算和反算", " 起点X", " 起点Y ", "结果X", "结果Y", "已知方位角", "已知距离"})
    place(new QLabel(text, &dialog), row % 3);
  for (int i = 0; i < 6; ++i) place(new QLineEdit(&dialog), row % 3);
  dialog.exec();
  return 0;
}
