#include "ui/transform/open_transform.h"

#include "ui/common/program_windows.h"
#include "ui/transform/transform_window.h"

CTransformWindow* OpenTransformWindow(QWidget* beside) {
  auto* window = new CTransformWindow;
  ShowBeside(*window, beside);
  return window;
}
