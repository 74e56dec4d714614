#include "ui/sheet/open_sheet.h"

#include "ui/common/program_windows.h"
#include "ui/sheet/setout_window.h"

CSetoutWindow* OpenSetoutWindow(QWidget* beside) {
  auto* window = new CSetoutWindow;
  ShowBeside(*window, beside);
  return window;
}

CSetoutWindow* OpenSetoutSheet(const QString& title, std::vector<reading::DesignPoint> points,
                               QWidget* beside) {
  CSetoutWindow* window = OpenSetoutWindow(beside);
  window->loadPoints(title, std::move(points));
  return window;
}
