#pragma once

// What each mode reads and writes: the numbers of its rows, its results and
// their names in a header row, as data. How a row is computed lives with
// its mode: forward, inverse and setout rows by the survey core
// (row_computation.h); stake and locate rows along a road (row_road.h,
// road/road_rows.h); and the rows that name known points (orient,
// freestation, intersect) by the station setups' rules (sheet/named_rows.h).

#include <array>
#include <cstddef>
#include <span>

#include "reader/rows/line_answer.h"
#include "reader/rows/row_settings.h"

namespace reading {

inline constexpr std::size_t kNoAzimuth = 4;

struct ModeRule {
  std::array<const char*, 4> fields;  // the numbers of a full row
  std::size_t azimuthField;           // kNoAzimuth when none is an azimuth
  std::size_t resultCount;
  std::array<const char*, 4> results;     // their names in a header row
  std::array<bool, 4> resultIsAngle;      // else a length or coordinate
  std::array<const char*, 4> outOfRange;  // a result that is not finite
  std::size_t fieldCount = 4;             // how many of `fields` there are
  std::size_t stationFields =
      2;  // the first fields, which a station given apart takes the place of
  // Rows that name known points: the fields before the numbers, every one
  // needed (NAME, and intersect's A and B); none where a row may or may not
  // be led by a name.
  std::array<const char*, 3> names{};
  std::size_t nameCount = 0;
  // The last numbers, which may be left out or empty: a stake row's offset
  // (then 0, the centre line), freestation's distance (then NaN).
  std::size_t optionalFields = 0;
  bool allAngles = false;          // every number is a packed angle
  // A result that may be none (a NaN in LineAnswer::results): written as
  // an empty field.
  std::array<bool, 4> resultMayBeNone{};
  std::size_t chainageField = 4;  // kNoChainage, or the field read as a chainage
  std::size_t heightResult = 4;   // kNoHeight, or the result there only with a profile
  // Decimals a result is written with beyond those of its kind (of angles
  // or of lengths): the convergence, a latitude and a longitude 4 more than
  // an azimuth (with 4, whole seconds, they show 0.0001"), a point scale 6 more than coordinates;
  // residuals in millimetres 3 fewer (0 at least), the coordinates' place.
  std::array<signed char, 4> resultMoreDecimals{};
  // A result that is a latitude or a longitude: packed DMS, or with
  // RowSettings::degrees decimal degrees.
  std::array<bool, 4> resultIsLatLon{};
};

inline constexpr std::size_t kNoChainage = 4;
inline constexpr std::size_t kNoHeight = 4;

const ModeRule& RuleOf(Mode mode);

// The numbers a row of `mode` holds, by name ("X", "Y"; "X0", "Y0",
// "AZIMUTH", "DISTANCE"), with a station only the second half: what a
// column list names.
std::span<const char* const> RowNumbers(Mode mode, bool fromStation);

// How many results the rows of `settings` give: the mode's, less the
// design height without a profile.
std::size_t ResultCount(const RowSettings& settings);

// "forward", "inverse", "setout", "stake", "locate", "alignment", "orient",
// "freestation", "intersect" (by angles and by distances alike), "grid",
// "fourparam", "project", "rezone" (either way alike).
const char* ModeName(Mode mode);

// Whether the mode's rows name known points (orient, freestation,
// intersect).
inline bool NamesKnownPoints(Mode mode) {
  return mode >= Mode::kOrient && mode <= Mode::kDistanceIntersect;
}

// Whether the mode is a coordinate transformation's (grid, fourparam,
// project, rezone), computed by RowSettings::transform.
inline bool IsTransformMode(Mode mode) { return mode >= Mode::kGrid; }

// Whether the mode answers once every row is read: its rows are the
// sightings of one station setup (orient, freestation), or the common
// points of one fit (fourparam without --apply).
inline bool AnswersAfterLastRow(Mode mode) {
  return mode == Mode::kOrient || mode == Mode::kFreeStation || mode == Mode::kFourParamFit;
}

// The names of the sight's numbers (LineAnswer::sight) in a header row.
inline constexpr std::array<const char*, 3> kSightNames = {"DH", "ZENITH", "SLOPE"};
inline constexpr std::array<bool, 3> kSightIsAngle = {false, true, false};

}  // namespace reading
