#pragma once

// The 导线/水准 window's entry point for the program's other windows: the
// calculator's window menu opens one, shown beside the calculator
// (program_windows.h: the modal calculator does not block it, and it
// outlives the calculator), deleted when it closes.

#include "ui/control/control_window.h"

class QWidget;

// An empty 导线/水准 window on `tab`.
CControlWindow* OpenControlWindow(QWidget* beside = nullptr,
                                  CControlWindow::Tab tab = CControlWindow::Tab::kTraverse);
