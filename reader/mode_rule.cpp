#include "reader/mode_rule.h"

#include <cmath>

#include "core/survey.h"
#include "reader/columns.h"
#include "reader/number_text.h"

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

// Indexed by Mode.
constexpr std::array<const ModeRule*, 3> kRules = {&kForwardRule, &kInverseRule, &kSetoutRule};

}  // namespace

const ModeRule& RuleOf(Mode mode) { return *kRules[static_cast<std::size_t>(mode)]; }

const char* ModeName(Mode mode) {
  static constexpr std::array<const char*, 3> kNames = {"forward", "inverse", "setout"};
  return kNames[static_cast<std::size_t>(mode)];
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

std::string SwappedAxesProblem(const RowSettings& settings, const LineAnswer& answer) {
  const std::size_t distance = settings.mode == Mode::kSetout ? 2 : 1;
  if (!settings.hasStation || !settings.columns.empty() || settings.mode == Mode::kForward ||
      !(answer.results[distance] > kFarFromStation)) {
    return {};
  }
  const double swapped =
      survey::ComputeInverse(settings.station.x, settings.station.y, answer.point.y, answer.point.x)
          .distance;
  if (!(swapped <= kFarFromStation)) return {};
  // The row's two numbers by their roles: "x", "y" in setout, "x1", "y1" in inverse.
  const std::string x = RoleOf(RuleOf(settings.mode).fields[2]);
  const std::string y = RoleOf(RuleOf(settings.mode).fields[3]);
  const std::string name = answer.named ? "name," : "";
  std::string problem = "read as north, east the point is ";
  AppendFixed(problem, answer.results[distance], settings.decimals);
  problem += " from the station, read as east, north ";
  AppendFixed(problem, swapped, settings.decimals);
  problem += ": for a file that gives east first say --columns " + name + y + "," + x +
             ", for north first --columns " + name + x + "," + y;
  return problem;
}

}  // namespace reading
