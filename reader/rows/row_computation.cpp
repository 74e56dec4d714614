#include "reader/rows/row_computation.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "core/field_text.h"
#include "core/survey.h"
#include "core/target_sight.h"
#include "reader/fields/number_text.h"
#include "reader/rows/columns.h"
#include "reader/rows/mode_rule.h"
#include "reader/rows/row_road.h"

namespace reading {

const char* ComputeRow(const RowSettings& settings, const double* values, LineAnswer& answer) {
  const bool station = settings.hasStation;
  const double x0 = station ? settings.station.x : values[0];
  const double y0 = station ? settings.station.y : values[1];
  const double* rest = station ? values : values + 2;
  std::array<double, 4>& results = answer.results;
  if (settings.mode == Mode::kStake || settings.mode == Mode::kLocate) {
    if (const char* fault = settings.road->ComputeRow(settings, values, answer)) return fault;
  } else if (settings.mode == Mode::kForward) {
    const survey::ForwardResult end = survey::ComputeForward(x0, y0, rest[0], rest[1]);
    results = {end.x, end.y, 0.0, 0.0};
    answer.point = {end.x, end.y};
  } else {
    answer.point = {rest[0], rest[1]};
    answer.hasPoint = true;
    const survey::InverseResult polar = survey::ComputeInverse(x0, y0, rest[0], rest[1]);
    if (polar.identicalPoints) {
      return settings.mode == Mode::kInverse ? "identical points" : "point is on the station";
    }
    results = {polar.azimuth, polar.distance, 0.0, 0.0};
    if (settings.mode == Mode::kSetout) {
      results = {polar.azimuth, survey::TurnedAngle(polar.degrees, settings.backsightDegrees),
                 polar.distance, 0.0};
    }
  }
  const ModeRule& rule = RuleOf(settings.mode);
  const std::size_t count = ResultCount(settings);
  for (std::size_t i = 0; i < count; ++i) {
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
