#pragma once

// The setting-out window's words for what is wrong: Chinese, naming the
// field the user typed into or the file chosen, never an option of the
// command line. The reader says what is wrong as values (sheet_error.h,
// columns.h, undecoded_line.h); this words them. A file that cannot be
// read and a number typed that is none are worded for every window
// (ui/common/problem_text.h).

#include <QString>
#include <functional>

#include "core/setup/setup_error.h"
#include "reader/rows/columns.h"
#include "reader/sheet/sheet_error.h"
#include "reader/text/undecoded_line.h"

// What keeps the sheet from being computed, naming the station's or the
// backsight's field, the control file or its columns, or the row of a
// setup's sightings ("第 3 行点名 GPS7 不在 ctl.dat 中").
QString SheetProblem(const reading::SheetError& error);

// Why a station setup gives no station or orientation: of a free station
// (`free`) or an orientation on several backsights; `row` names sighting
// i's row ("第 3 行").
QString SetupProblem(const survey::SetupError& error, bool free,
                     const std::function<QString(std::size_t)>& row);

// A column list of the layout box, in the roles it is typed with (name,
// code, x, y, h, -).
QString ColumnsProblem(const reading::ColumnsError& error);

// A line of a file that is no text in the encoding it is read in, as the
// layout box's preview shows it: "（此行不是 GB18030 文本，请选择编码）".
QString UndecodedProblem(const reading::UndecodedLine& line);
