#pragma once

// The 线路 window's entry point for the program's other windows: the
// calculator's window menu opens one, shown beside the calculator
// (program_windows.h: the modal calculator does not block it, and it
// outlives the calculator), deleted when it closes.

class CRoadWindow;
class QWidget;

// An empty 线路 window, waiting for a JD table or an element table.
CRoadWindow* OpenRoadWindow(QWidget* beside = nullptr);
