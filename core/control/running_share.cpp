#include "core/control/running_share.h"

#include <cmath>

namespace survey {
namespace {

// How close to a half a value must lie to count as one (see the header):
// far above the binary noise of a sum of decimals, far below any unit.
constexpr double kHalfTolerance = 1e-9;

}  // namespace

std::int64_t RoundHalfAway(double value) {
  const double magnitude = std::floor(std::fabs(value) + 0.5 + kHalfTolerance);
  const auto whole = static_cast<std::int64_t>(magnitude);
  return value < 0.0 ? -whole : whole;
}

std::vector<double> ProportionalRunningTotals(double total, std::span<const double> weights) {
  double sum = 0.0;
  for (double w : weights) sum += w;
  std::vector<double> totals;
  totals.reserve(weights.size());
  double running = 0.0;
  for (std::size_t i = 0; i < weights.size(); ++i) {
    running += weights[i];
    totals.push_back(i + 1 == weights.size() ? total : total * running / sum);
  }
  return totals;
}

std::vector<std::int64_t> RoundedSteps(std::span<const double> runningTotals) {
  std::vector<std::int64_t> steps;
  steps.reserve(runningTotals.size());
  std::int64_t previous = 0;
  for (double t : runningTotals) {
    const std::int64_t rounded = RoundHalfAway(t);
    steps.push_back(rounded - previous);
    previous = rounded;
  }
  return steps;
}

}  // namespace survey
