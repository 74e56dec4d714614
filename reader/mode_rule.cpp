#include "reader/mode_rule.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <tuple>
#include <vector>

#include "core/setup/intersection.h"
#include "core/survey.h"
#include "core/target_sight.h"
#include "reader/columns.h"
#include "reader/known_points.h"
#include "reader/number_text.h"
#include "reader/setup_text.h"
#include "reader/sheet_error_text.h"

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

// Indexed by Mode.
constexpr std::array<const ModeRule*, 7> kRules = {
    &kForwardRule,     &kInverseRule,   &kSetoutRule,           &kOrientRule,
    &kFreeStationRule, &kIntersectRule, &kDistanceIntersectRule};

// The known point `name` of the row's field `field` ("" for the row's own
// name), into `point`; "" or what is wrong.
std::string FindRowPoint(const RowSettings& settings, const char* field, std::string_view name,
                         survey::PlanePoint& point) {
  std::string problem;
  if (field[0] != '\0') problem = std::string(field) + ": ";
  if (name.empty()) return std::string(field[0] != '\0' ? field : "NAME") + " is empty";
  Point found{};
  const SheetError error = FindKnownPoint(settings.known.get(), SheetPart::kStation, name, found);
  if (error) return problem + KnownPointText(error);
  point = {found.x, found.y};
  return {};
}

}  // namespace

const ModeRule& RuleOf(Mode mode) { return *kRules[static_cast<std::size_t>(mode)]; }

const char* ModeName(Mode mode) {
  static constexpr std::array<const char*, 7> kNames = {
      "forward", "inverse", "setout", "orient", "freestation", "intersect", "intersect"};
  return kNames[static_cast<std::size_t>(mode)];
}

std::string ComputeNamedRow(const RowSettings& settings, const std::string_view* names,
                            const double* values, LineAnswer& answer) {
  answer.hasPoint = false;
  if (settings.mode == Mode::kOrient || settings.mode == Mode::kFreeStation) {
    survey::PlanePoint point{};
    if (std::string problem = FindRowPoint(settings, "", names[0], point); !problem.empty())
      return problem;
    // A distance left out is NaN.
    if (settings.mode == Mode::kFreeStation && values[1] <= 0.0) return "DISTANCE is not above 0";
    answer.point = {point.x, point.y};
    answer.hasPoint = true;
    answer.results = {values[0], settings.mode == Mode::kFreeStation ? values[1] : NAN, 0.0};
    return {};
  }
  if (names[0].empty()) return "NAME is empty";
  survey::PlanePoint a{}, b{};
  for (const auto& [field, name, point] :
       {std::tuple{"A", names[1], &a}, std::tuple{"B", names[2], &b}}) {
    if (std::string problem = FindRowPoint(settings, field, name, *point); !problem.empty())
      return problem;
  }
  const survey::Side side = settings.right ? survey::Side::kRight : survey::Side::kLeft;
  const bool byDistance = settings.mode == Mode::kDistanceIntersect;
  const survey::SetupOutcome<survey::PlanePoint> point =
      byDistance ? survey::IntersectByDistances(a, b, values[0], values[1], side)
                 : survey::IntersectByAngles(a, b, values[0], values[1], side);
  if (!point.ok()) return IntersectionErrorText(point.error(), byDistance);
  answer.point = {point.value().x, point.value().y};
  answer.results = {point.value().x, point.value().y, 0.0};
  if (!std::isfinite(answer.point.x) || !std::isfinite(answer.point.y))
    return "the new point is out of range";
  answer.hasPoint = true;
  return {};
}

const char* ComputeRow(const RowSettings& settings, const double* values, LineAnswer& answer) {
  const bool station = settings.hasStation;
  const double x0 = station ? settings.station.x : values[0];
  const double y0 = station ? settings.station.y : values[1];
  const double* rest = station ? values : values + 2;
  std::array<double, 3>& results = answer.results;
  if (settings.mode == Mode::kForward) {
    const survey::ForwardResult end = survey::ComputeForward(x0, y0, rest[0], rest[1]);
    results = {end.x, end.y, 0.0};
    answer.point = {end.x, end.y};
  } else {
    answer.point = {rest[0], rest[1]};
    answer.hasPoint = true;
    const survey::InverseResult polar = survey::ComputeInverse(x0, y0, rest[0], rest[1]);
    if (polar.identicalPoints) {
      return settings.mode == Mode::kInverse ? "identical points" : "point is on the station";
    }
    results = {polar.azimuth, polar.distance, 0.0};
    if (settings.mode == Mode::kSetout) {
      results = {polar.azimuth, survey::TurnedAngle(polar.degrees, settings.backsightDegrees),
                 polar.distance};
    }
  }
  const ModeRule& rule = RuleOf(settings.mode);
  for (std::size_t i = 0; i < rule.resultCount; ++i) {
    if (!std::isfinite(results[i])) return rule.outOfRange[i];
  }
  answer.hasPoint = true;  // the end point of a forward row is finite
  return nullptr;
}

const char* ComputeSight(const RowSettings& settings, LineAnswer& answer) {
  if (!settings.heights || !answer.hasHeight) return nullptr;
  const survey::TargetSight sight =
      survey::ComputeTargetSight(*settings.heights, answer.heightValue, answer.results[2]);
  answer.sight = {sight.heightDifference, sight.zenith, sight.slopeDistance};
  static constexpr std::array<const char*, 3> kOutOfRange = {
      "result DH is out of range", "result ZENITH is out of range", "result SLOPE is out of range"};
  for (std::size_t i = 0; i < answer.sight.size(); ++i) {
    if (!std::isfinite(answer.sight[i])) return kOutOfRange[i];
  }
  answer.hasSight = true;
  return nullptr;
}

std::string SwappedAxesProblem(const RowSettings& settings, const LineAnswer& answer) {
  const std::size_t distance = settings.mode == Mode::kSetout ? 2 : 1;
  if (!settings.hasStation || settings.mode == Mode::kForward || NamesKnownPoints(settings.mode) ||
      !(answer.results[distance] > kFarFromStation)) {
    return {};
  }
  const double swapped =
      survey::ComputeInverse(settings.station.x, settings.station.y, answer.point.y, answer.point.x)
          .distance;
  if (!(swapped <= kFarFromStation)) return {};
  // The row's two numbers, north then east: X Y in setout, X1 Y1 in inverse.
  const std::span<const char* const> numbers =
      std::span<const char* const>(RuleOf(settings.mode).fields).subspan(2, 2);
  const std::string x = RoleOf(numbers[0]);
  const std::string y = RoleOf(numbers[1]);
  std::string asRead;      // the list the row was read by, or that reads it so
  std::string turned;      // the same with north and east the other way round
  bool eastFirst = false;  // `asRead` gives east first
  if (settings.columns.empty()) {
    const std::string name = answer.named ? "name," : "";
    asRead = name + x + "," + y;
    turned = name + y + "," + x;
  } else {
    const auto first =
        std::find_if(settings.columns.begin(), settings.columns.end(),
                     [](const Column& c) { return c.role == Column::Role::kNumber; });
    eastFirst = first != settings.columns.end() && first->number == 1;
    std::vector<Column> other = settings.columns;
    for (Column& column : other) {
      if (column.role == Column::Role::kNumber) column.number = 1 - column.number;
    }
    asRead = ColumnsText(settings.columns, numbers);
    turned = ColumnsText(other, numbers);
  }
  std::string problem = settings.columns.empty() ? "read as north, east the point is "
                                                 : "read by the column list the point is ";
  AppendFixed(problem, answer.results[distance], settings.decimals);
  problem += settings.columns.empty()
                 ? " from the station, read as east, north "
                 : " from the station, with " + x + " and " + y + " the other way round ";
  AppendFixed(problem, swapped, settings.decimals);
  problem += ": for a file that gives east first say --columns " + (eastFirst ? asRead : turned) +
             ", for north first --columns " + (eastFirst ? turned : asRead);
  return problem;
}

}  // namespace reading
