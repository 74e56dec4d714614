#pragma once

// The rows that name known points (orient, freestation, intersect): the
// rule the resolver gives their row reader (RowSettings::namedRow).

#include <string>
#include <string_view>

#include "reader/rows/line_answer.h"
#include "reader/rows/row_settings.h"

namespace reading {

// Looks up the known points a row names and, for intersect, computes the
// new point, into `answer`: orient and freestation give the sighted point
// (`point`) and results {READING, DISTANCE or NaN where there is none};
// intersect results {X, Y} and the point. `names`: the row's name fields
// in order (NAME, A, B), `values` its numbers (NaN for one left out).
// Returns "" or what makes the row fail ("A: no point GPS7 in ctl.dat",
// "DISTANCE is not above 0").
std::string ComputeNamedRow(const RowSettings& settings, const std::string_view* names,
                            const double* values, LineAnswer& answer);

}  // namespace reading
