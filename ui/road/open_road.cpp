#include "ui/road/open_road.h"

#include "ui/common/program_windows.h"
#include "ui/road/road_window.h"

CRoadWindow* OpenRoadWindow(QWidget* beside) {
  auto* window = new CRoadWindow;
  ShowBeside(*window, beside);
  return window;
}
