#include "reader/rows/mode_rule.h"

#include <algorithm>

#include "reader/rows/row_road.h"

namespace reading {
namespace {

constexpr ModeRule kForwardRule = {{"X0", "Y0", "AZIMUTH", "DISTANCE"},
                                   2,
                                   2,
                                   {"X", "Y"},
                                   {false, false},
                                   {"result X is out of range", "result Y is out of range"}};
constexpr ModeRule kInverseRule = {
    {"X0", "Y0", "X1", "Y1"},
    kNoAzimuth,
    2,
    {"AZIMUTH", "DISTANCE"},
    {true, false},
    {"result AZIMUTH is out of range", "result DISTANCE is out of range"}};
// The station is always given: rows hold X Y.
constexpr ModeRule kSetoutRule = {{"X0", "Y0", "X", "Y"},
                                  kNoAzimuth,
                                  3,
                                  {"AZIMUTH", "ANGLE", "DISTANCE"},
                                  {true, true, false},
                                  {"result AZIMUTH is out of range", "result ANGLE is out of range",
                                   "result DISTANCE is out of range"}};

// A chainage alone is a stake on the centre line. H only with a profile.
constexpr ModeRule kStakeRule = {
    .fields = {"CHAINAGE", "OFFSET"},
    .azimuthField = kNoAzimuth,
    .resultCount = 4,
    .results = {"X", "Y", "AZIMUTH", "H"},
    .resultIsAngle = {false, false, true, false},
    .outOfRange = {"result X is out of range", "result Y is out of range",
                   "result AZIMUTH is out of range", "result H is out of range"},
    .fieldCount = 2,
    .optionalFields = 1,
    .chainageField = 0,
    .heightResult = 3};
constexpr ModeRule kLocateRule = {
    .fields = {"X", "Y"},
    .azimuthField = kNoAzimuth,
    .resultCount = 3,
    .results = {"K", "OFFSET", "H"},
    .resultIsAngle = {false, false, false},
    .outOfRange = {"result K is out of range", "result OFFSET is out of range",
                   "result H is out of range"},
    .fieldCount = 2,
    .heightResult = 2};

// No rows: the curve table is written (curve_table.h).
constexpr ModeRule kAlignmentRule = {.fields = {},
                                     .azimuthField = kNoAzimuth,
                                     .resultCount = 0,
                                     .results = {},
                                     .resultIsAngle = {},
                                     .outOfRange = {},
                                     .fieldCount = 0};

// Rows that name known points: the station is never part of a row.
constexpr ModeRule kOrientRule = {.fields = {"READING"},
                                  .azimuthField = 0,
                                  .resultCount = 2,
                                  .results = {"RESIDUAL", "LINEAR"},
                                  .resultIsAngle = {false, false},
                                  .outOfRange = {},
                                  .fieldCount = 1,
                                  .stationFields = 0,
                                  .names = {"NAME"},
                                  .nameCount = 1};
constexpr ModeRule kFreeStationRule = {.fields = {"READING", "DISTANCE"},
                                       .azimuthField = 0,
                                       .resultCount = 2,
                                       .results = {"V_READING", "V_DISTANCE"},
                                       .resultIsAngle = {false, false},
                                       .outOfRange = {},
                                       .fieldCount = 2,
                                       .stationFields = 0,
                                       .names = {"NAME"},
                                       .nameCount = 1,
                                       .optionalFields = 1,
                                       .resultMayBeNone = {false, true}};
// Intersect rows, by the angles at A and B or the distances from them.
constexpr ModeRule IntersectRule(const char* fieldA, const char* fieldB, bool angles) {
  return {.fields = {fieldA, fieldB},
          .azimuthField = kNoAzimuth,
          .resultCount = 2,
          .results = {"X", "Y"},
          .resultIsAngle = {false, false},
          .outOfRange = {},
          .fieldCount = 2,
          .stationFields = 0,
          .names = {"NAME", "A", "B"},
          .nameCount = 3,
          .allAngles = angles};
}
constexpr ModeRule kIntersectRule = IntersectRule("ANGLE_A", "ANGLE_B", true);
constexpr ModeRule kDistanceIntersectRule = IntersectRule("DISTANCE_A", "DISTANCE_B", false);

// The transformations' rows: two numbers to two, a name in front or not.
constexpr ModeRule PlaneRule(const char* from0, const char* from1, const char* to0,
                             const char* to1) {
  return {.fields = {from0, from1},
          .azimuthField = kNoAzimuth,
          .resultCount = 2,
          .results = {to0, to1},
          .resultIsAngle = {false, false},
          .outOfRange = {},
          .fieldCount = 2,
          .stationFields = 0};
}
constexpr ModeRule kGridRule = PlaneRule("A", "B", "X", "Y");
constexpr ModeRule kGridInverseRule = PlaneRule("X", "Y", "A", "B");
constexpr ModeRule kFourParamRule = PlaneRule("x", "y", "X", "Y");
constexpr ModeRule kFourParamInverseRule = PlaneRule("X", "Y", "x", "y");
constexpr ModeRule kRezoneRule = PlaneRule("X", "Y", "X", "Y");
// A common point in both systems; answered with its residuals, mm.
constexpr ModeRule kFourParamFitRule = {.fields = {"x", "y", "X", "Y"},
                                        .azimuthField = kNoAzimuth,
                                        .resultCount = 2,
                                        .results = {"VX", "VY"},
                                        .resultIsAngle = {false, false},
                                        .outOfRange = {},
                                        .stationFields = 0,
                                        .resultMoreDecimals = {-3, -3}};
// B and L are read as numbers; the projection checks their packed digits.
constexpr ModeRule kProjectRule = {.fields = {"B", "L"},
                                   .azimuthField = kNoAzimuth,
                                   .resultCount = 4,
                                   .results = {"X", "Y", "CONVERGENCE", "SCALE"},
                                   .resultIsAngle = {false, false, true, false},
                                   .outOfRange = {},
                                   .fieldCount = 2,
                                   .stationFields = 0,
                                   .resultMoreDecimals = {0, 0, 4, 6}};
constexpr ModeRule kProjectInverseRule = {.fields = {"X", "Y"},
                                          .azimuthField = kNoAzimuth,
                                          .resultCount = 2,
                                          .results = {"B", "L"},
                                          .resultIsAngle = {true, true},
                                          .outOfRange = {},
                                          .fieldCount = 2,
                                          .stationFields = 0,
                                          .resultMoreDecimals = {4, 4},
                                          .resultIsLatLon = {true, true}};

// A traverse's station: its angle (packed, "-" where the station takes
// none), the distance to the next station (none at the last), and the
// zenith angle that makes that distance a slope one. Read only: the line is
// computed once every row is read (reader/control/).
constexpr ModeRule kTraverseRule = {.fields = {"ANGLE", "DISTANCE", "ZENITH"},
                                    .azimuthField = 0,
                                    .resultCount = 3,
                                    .results = {"ANGLE", "DISTANCE", "ZENITH"},
                                    .resultIsAngle = {true, false, true},
                                    .outOfRange = {},
                                    .fieldCount = 3,
                                    .stationFields = 0,
                                    .names = {"NAME"},
                                    .nameCount = 1,
                                    .optionalFields = 2,
                                    .resultMayBeNone = {true, true, true},
                                    .fieldIsAngle = {false, false, true},
                                    .dashLeavesOut = true};
// A levelling section, from the point before to TO: its observed height
// difference and its length (km, or stations).
constexpr ModeRule kLevelRule = {.fields = {"DH", "LENGTH"},
                                 .azimuthField = kNoAzimuth,
                                 .resultCount = 2,
                                 .results = {"DH", "LENGTH"},
                                 .resultIsAngle = {false, false},
                                 .outOfRange = {},
                                 .fieldCount = 2,
                                 .stationFields = 0,
                                 .names = {"TO"},
                                 .nameCount = 1};

// Indexed by Mode.
constexpr std::array<const ModeRule*, 20> kRules = {
    &kForwardRule,       &kInverseRule,          &kSetoutRule,         &kStakeRule,
    &kLocateRule,        &kAlignmentRule,        &kOrientRule,         &kFreeStationRule,
    &kIntersectRule,     &kDistanceIntersectRule, &kTraverseRule,      &kLevelRule,
    &kGridRule,          &kGridInverseRule,      &kFourParamFitRule,   &kFourParamRule,
    &kFourParamInverseRule, &kProjectRule,       &kProjectInverseRule, &kRezoneRule};

}  // namespace

const ModeRule& RuleOf(Mode mode) { return *kRules[static_cast<std::size_t>(mode)]; }

std::span<const char* const> RowNumbers(Mode mode, bool fromStation) {
  const ModeRule& rule = RuleOf(mode);
  // A mode whose rows hold fewer numbers than a station (alignment: none)
  // has none left once the station is given apart.
  const std::size_t station = fromStation ? std::min(rule.stationFields, rule.fieldCount) : 0;
  return std::span<const char* const>(rule.fields).first(rule.fieldCount).subspan(station);
}

std::size_t ResultCount(const RowSettings& settings) {
  const ModeRule& rule = RuleOf(settings.mode);
  const bool profile = settings.road && settings.road->HasProfile();
  return rule.resultCount - (rule.heightResult != kNoHeight && !profile ? 1 : 0);
}

const char* ModeName(Mode mode) {
  static constexpr std::array<const char*, 20> kNames = {
      "forward",     "inverse",   "setout",    "stake",     "locate",    "alignment",
      "orient",      "freestation", "intersect", "intersect", "traverse", "level",
      "grid",        "grid",      "fourparam", "fourparam", "fourparam", "project",
      "project",     "rezone"};
  return kNames[static_cast<std::size_t>(mode)];
}

}  // namespace reading
