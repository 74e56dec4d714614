#pragma once

// The 放样表's entry points for the program's other windows and its command
// line. Windows hand the sheet data, never command-line text: the
// calculator's window menu opens an empty 放样表, and a window that computes
// design points (a road alignment's stakes with their design heights) opens
// one on those points. Each opens a window of its own, shown beside `beside`
// where it is given (program_windows.h: the modal calculator does not block
// it, and it outlives the calculator), deleted when it closes.

#include <QString>
#include <string>
#include <vector>

#include "reader/sheet/sheet_request.h"

class CSetoutWindow;
class QWidget;

// A 放样表 on the design file it showed last, with that file's setup
// (kept_file_setups.h); empty, waiting for a file (打开), where there is none.
CSetoutWindow* OpenSetoutWindow(QWidget* beside = nullptr);

// A 放样表 on `points` (name, code, x north, y east in metres, design height
// or none), in their order, named `title` in its heading, its window title
// and the names its exports propose. The station and the backsight are the
// user's to give in the window, by the points' names, by those of a control
// file, or typed; heights are written with the sheet's decimals of lengths.
CSetoutWindow* OpenSetoutSheet(const QString& title, std::vector<reading::DesignPoint> points,
                               QWidget* beside = nullptr);

// The 放样表 shown (the last one opened where there are several), or one
// opened on its last design file, with the control file at `path` (rows
// NAME X Y, its name as bytes) as its control points, raised: a traverse's
// adjusted points handed over for setting out.
CSetoutWindow* SetoutWithControl(const std::string& path, QWidget* beside = nullptr);
