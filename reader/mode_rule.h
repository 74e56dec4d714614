#pragma once

// What each mode reads and writes, and its computation: forward, inverse
// and setout rows, by the survey core; and the rows that name known points
// (orient, freestation, intersect), their names looked up and, for
// intersect, the new point computed (core/setup).

#include <array>
#include <cstddef>
#include <string>

#include "reader/line_answer.h"
#include "reader/row_settings.h"

namespace reading {

inline constexpr std::size_t kNoAzimuth = 4;

struct ModeRule {
  std::array<const char*, 4> fields;  // the numbers of a full row
  std::size_t azimuthField;           // kNoAzimuth when none is an azimuth
  std::size_t resultCount;
  std::array<const char*, 3> results;     // their names in a header row
  std::array<bool, 3> resultIsAngle;      // else a length or coordinate
  std::array<const char*, 3> outOfRange;  // a result that is not finite
  std::size_t fieldCount = 4;             // how many of `fields` there are
  std::size_t stationFields =
      2;  // the first fields, which a station given apart takes the place of
  // Rows that name known points: the fields before the numbers, every one
  // needed (NAME, and intersect's A and B); none where a row may or may not
  // be led by a name.
  std::array<const char*, 3> names{};
  std::size_t nameCount = 0;
  std::size_t optionalFields = 0;  // the last numbers, which may be left out or empty
  bool allAngles = false;          // every number is a packed angle
  // A result that may be none (a NaN in LineAnswer::results): written as
  // an empty field.
  std::array<bool, 3> resultMayBeNone{};
};

const ModeRule& RuleOf(Mode mode);

// "forward", "inverse", "setout", "orient", "freestation", "intersect"
// (by angles and by distances alike).
const char* ModeName(Mode mode);

// Whether the mode's rows name known points (orient, freestation,
// intersect).
inline bool NamesKnownPoints(Mode mode) { return mode >= Mode::kOrient; }

// Whether the mode answers once every row is read: its rows are the
// sightings of one station setup (orient, freestation).
inline bool AnswersAfterLastRow(Mode mode) {
  return mode == Mode::kOrient || mode == Mode::kFreeStation;
}

// Computes the results of a row from its numbers (the mode's fields, the
// station's left out where it is set) into `answer`: its results and its
// point. Returns nullptr, or what makes the row fail ("identical points",
// "result X is out of range"); the point is kept where the row gave it.
const char* ComputeRow(const RowSettings& settings, const double* values, LineAnswer& answer);

// Looks up the known points a row names and, for intersect, computes the
// new point, into `answer`: orient and freestation give the sighted point
// (`point`) and results {READING, DISTANCE or NaN where there is none};
// intersect results {X, Y} and the point. `names`: the row's name fields
// in order (NAME, A, B), `values` its numbers (NaN for one left out).
// Returns "" or what makes the row fail ("A: no point GPS7 in ctl.dat",
// "DISTANCE is not above 0").
std::string ComputeNamedRow(const RowSettings& settings, const std::string_view* names,
                            const double* values, LineAnswer& answer);
// The names of the sight's numbers (LineAnswer::sight) in a header row.
inline constexpr std::array<const char*, 3> kSightNames = {"DH", "ZENITH", "SLOPE"};
inline constexpr std::array<bool, 3> kSightIsAngle = {false, true, false};

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
