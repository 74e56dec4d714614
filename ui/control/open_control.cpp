#include "ui/control/open_control.h"

#include "ui/common/program_windows.h"

CControlWindow* OpenControlWindow(QWidget* beside, CControlWindow::Tab tab) {
  auto* window = new CControlWindow;
  window->showTab(tab);
  ShowBeside(*window, beside);
  return window;
}
