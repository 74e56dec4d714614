#pragma once

// How a row is computed from its numbers: forward, inverse and setout rows
// by the survey core; stake and locate rows by the road they are on
// (RowSettings::road); and a setout row's sight to its target.

#include <string>

#include "reader/rows/line_answer.h"
#include "reader/rows/row_settings.h"

namespace reading {

// Computes the results of a row from its numbers (the mode's fields, the
// station's left out where it is set) into `answer`: its results and its
// point. Returns nullptr, or what makes the row fail ("identical points",
// "result X is out of range"); the point is kept where the row gave it.
const char* ComputeRow(const RowSettings& settings, const double* values, LineAnswer& answer);

// setout with heights, a row computed with a design height: the sight to
// the target held on it (core/target_sight.h) into `answer`, from the
// row's distance. Returns nullptr (also where there is nothing to compute),
// or which of the sight's numbers is out of range: "result SLOPE is out of
// range" for a distance whose square overflows.
const char* ComputeSight(const RowSettings& settings, LineAnswer& answer);

// Beyond this distance from the station (100 km in metres) no point is set
// out or taken from the station in earnest.
inline constexpr double kFarFromStation = 100000.0;

// Rows from a station (setout, inverse with --from) hold north and east, in
// the order of the column list or, without one, north first. A computed
// `answer` whose point lies farther than kFarFromStation from the station,
// but within it with its two numbers the other way round, comes from a file
// that gives them the other way round: the two readings and the column
// lists that settle it, or "" for every other answer.
std::string SwappedAxesProblem(const RowSettings& settings, const LineAnswer& answer);

}  // namespace reading
