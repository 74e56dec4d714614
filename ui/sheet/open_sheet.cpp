#include "ui/sheet/open_sheet.h"

#include <QApplication>

#include "ui/common/program_windows.h"
#include "ui/sheet/setout_window.h"

namespace {

CSetoutWindow* showBeside(QWidget* beside) {
  auto* window = new CSetoutWindow;
  ShowBeside(*window, beside);
  return window;
}

}  // namespace

CSetoutWindow* OpenSetoutWindow(QWidget* beside) {
  CSetoutWindow* window = showBeside(beside);
  window->reopenLast();
  return window;
}

CSetoutWindow* OpenSetoutSheet(const QString& title, std::vector<reading::DesignPoint> points,
                               QWidget* beside) {
  CSetoutWindow* window = showBeside(beside);
  window->loadPoints(title, std::move(points));
  return window;
}

CSetoutWindow* SetoutWithControl(const std::string& path, QWidget* beside) {
  CSetoutWindow* sheet = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* open = qobject_cast<CSetoutWindow*>(widget); open && open->isVisible()) sheet = open;
  if (sheet == nullptr) sheet = OpenSetoutWindow(beside);
  sheet->useControl(path);
  sheet->raise();
  sheet->activateWindow();
  return sheet;
}
