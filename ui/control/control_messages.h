#pragma once

// The 导线/水准 window's words for why a traverse or a levelling line
// makes no table (core/control/control_error.h), in Chinese, naming the
// station or the section by its row and its name, as the tool words the
// same values in English.

#include <QString>
#include <QStringList>

#include "core/control/control_error.h"
#include "reader/control/control_line.h"

// `names`: the stations' (the sections' end points') names, in the order
// given; `level`: a levelling line's error (sections) rather than a
// traverse's (stations).
QString ControlProblem(const survey::ControlError& error, const QStringList& names, bool level);

// What keeps the fields and the rows from making a line, as the reader
// finds it (reader/control/control_line.h): a known point's name, the
// first or last row's name, the turning point, or the computation's fault
// at its row.
QString LineProblem(const reading::LineError& error, bool level);
