#pragma once

// The 坐标转换 window's entry point for the program's other windows: the
// calculator's window menu opens one, shown beside the calculator
// (program_windows.h: the modal calculator does not block it, and it
// outlives the calculator), deleted when it closes.

class CTransformWindow;
class QWidget;

// An empty 坐标转换 window on its first tab (施工坐标).
CTransformWindow* OpenTransformWindow(QWidget* beside = nullptr);
