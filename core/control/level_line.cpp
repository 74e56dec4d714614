#include "core/control/level_line.h"

#include <cmath>

#include "core/control/running_share.h"

namespace survey {
namespace {

std::optional<ControlError> Check(const LevelInput& input) {
  const bool outAndBack = input.kind == LevelKind::kOutAndBack;
  if (outAndBack ? (input.sections.empty() || input.back.empty()) : input.sections.size() < 2) {
    return ControlError{ControlProblem::kTooFewLegs};
  }
  if (!std::isfinite(input.startHeight)) return ControlError{ControlProblem::kBadCoordinate};
  if (input.kind == LevelKind::kAttached) {
    if (!input.endHeight) return ControlError{ControlProblem::kMissingEnd};
    if (!std::isfinite(*input.endHeight)) return ControlError{ControlProblem::kBadCoordinate};
  }
  std::size_t index = 0;
  for (const auto* run : {&input.sections, &input.back}) {
    for (const LevelSection& s : *run) {
      if (!std::isfinite(s.dh)) return ControlError{ControlProblem::kBadCoordinate, index};
      const bool whole = input.count == LevelCount::kLength || std::trunc(s.length) == s.length;
      if (!std::isfinite(s.length) || !(s.length > 0.0) || !whole) {
        return ControlError{ControlProblem::kBadLength, index};
      }
      ++index;
    }
  }
  return std::nullopt;
}

double Sum(const std::vector<LevelSection>& run, double LevelSection::*field) {
  double sum = 0.0;
  for (const LevelSection& s : run) sum += s.*field;
  return sum;
}

}  // namespace

ControlOutcome<LevelResult> ComputeLevelLine(const LevelInput& input) {
  if (const auto fault = Check(input)) return *fault;

  LevelResult result{};
  result.sumDh = Sum(input.sections, &LevelSection::dh);
  result.sumLength = Sum(input.sections, &LevelSection::length);
  result.backDh = Sum(input.back, &LevelSection::dh);
  double fh = result.sumDh;  // metres
  if (input.kind == LevelKind::kAttached) fh -= *input.endHeight - input.startHeight;
  if (input.kind == LevelKind::kOutAndBack) fh += result.backDh;
  result.fhMm = fh * 1000.0;
  const double k =
      input.count == LevelCount::kLength ? input.limits.perSqrtKm : input.limits.perSqrtStation;
  result.limitMm = k * std::sqrt(result.sumLength);
  result.over = std::fabs(result.fhMm) > result.limitMm;

  // The run out takes the whole closure, or half of it where the run back
  // shares it.
  const double toShare = input.kind == LevelKind::kOutAndBack ? -result.fhMm / 2.0 : -result.fhMm;
  std::vector<double> weights;
  for (const LevelSection& s : input.sections) weights.push_back(s.length);
  const auto steps = RoundedSteps(ProportionalRunningTotals(toShare, weights));

  double height = input.startHeight;
  for (std::size_t i = 0; i < input.sections.size(); ++i) {
    const LevelSection& s = input.sections[i];
    const double correction = static_cast<double>(steps[i]) / 1000.0;
    const double corrected = s.dh + correction;
    height += corrected;
    result.rows.push_back({s.length, s.dh, correction, corrected, height});
  }
  return result;
}

}  // namespace survey
