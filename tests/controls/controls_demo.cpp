// A window that shows the controls in their states side by side: a flat
// icon button idle, hot and pressed, and a flashing label in each of its
// two phases. For looking at the controls on a real display; not shipped.

#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QWidget>

#include "controls/icon_button.h"
#include "controls/styled_label.h"
#include "res/resource.h"

namespace {

// A button whose hover state can be set from outside.
class DemoButton : public CIconButton {
 public:
  using CIconButton::CIconButton;
  void showHot() { m_bHot = true; }
};

// A flashing label held in one phase, so each shows the same all along.
class DemoLabel : public CStyledLabel {
 public:
  using CStyledLabel::CStyledLabel;
  void tick() { OnTimer(); }

 protected:
  void timerEvent(QTimerEvent*) override {}
};

DemoButton* addButton(QWidget* window, const QString& caption, int x) {
  auto* button = new DemoButton(window);
  button->setText(caption);
  button->setGeometry(x, 20, 110, 44);
  button->LoadIcons(IDI_APP, 0, 32, 32);
  button->SetHotTextColor(0x00FF00FF, false);
  button->SetIdleTextColor(0x00000000, false);
  return button;
}

DemoLabel* addLabel(QWidget* window, const QString& note, int y) {
  auto* caption = new QLabel(note, window);
  caption->setGeometry(20, y, 90, 20);
  auto* label = new DemoLabel(window);
  label->setText("Copyright (C) Corvane");
  label->setGeometry(120, y, 200, 20);
  label->SetForeColor(0x000000FF).SetBold(true).EnableBackFlash(true).SetBackColor(0x00000000);
  return label;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle("Windows");
  QApplication::setPalette(QApplication::style()->standardPalette());

  QWidget window;
  window.setWindowTitle("Corvane controls");
  window.setGeometry(40, 40, 400, 150);
  addButton(&window, "idle", 20);
  addButton(&window, "hot", 145)->showHot();
  addButton(&window, "pressed", 270)->setDown(true);
  addLabel(&window, "phase 0", 85);
  addLabel(&window, "phase 1", 115)->tick();
  window.show();
  return app.exec();
}
