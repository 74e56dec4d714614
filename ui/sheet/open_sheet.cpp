#include "ui/sheet/open_sheet.h"

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
