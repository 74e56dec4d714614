#include "core/control/traverse_angles.h"

#include <cmath>

#include "core/control/running_share.h"
#include "core/packed_angle.h"

namespace survey {
namespace {

constexpr double kArcMillisPerDegree = 3'600'000.0;

// Brought within -180 < a <= 180 degrees by whole turns.
ArcMillis NearestTurn(ArcMillis angle) {
  ArcMillis a = WholeTurn(angle);
  return a > kHalfTurn ? a - kTurn : a;
}

// A left angle from an angle in the input's sense (a right angle is its
// full turn's complement).
ArcMillis AsLeft(ArcMillis angle, AngleSide side) {
  return side == AngleSide::kLeft ? angle : kTurn - angle;
}

// The stations whose angles are corrected: all of an attached traverse,
// the polygon's of a closed one, none elsewhere.
bool Corrected(TraverseKind kind, std::size_t station) {
  switch (kind) {
    case TraverseKind::kAttached:
      return true;
    case TraverseKind::kClosed:
      return station > 0;
    case TraverseKind::kUnoriented:
    case TraverseKind::kOpen:
      return false;
  }
  return false;
}

// The left angles' closure in thousandths of a second, observed minus
// true: attached, the azimuth carried through every angle less the one
// out of the end; closed, the polygon's sum less (n - 1) 180 degrees
// plus or minus a turn.
ArcMillis LeftClosure(const TraverseInput& input, std::span<const ArcMillis> left) {
  ArcMillis sum = 0;
  for (ArcMillis a : left) sum += a;
  const auto n = static_cast<ArcMillis>(left.size());
  if (input.kind == TraverseKind::kAttached) {
    const ArcMillis carried = PackedToArcMillis(input.azimuthIn) + sum - n * kHalfTurn;
    return NearestTurn(carried - PackedToArcMillis(input.azimuthOut));
  }
  return NearestTurn(sum - n * kHalfTurn);
}

}  // namespace

ArcMillis PackedToArcMillis(double packed) {
  return static_cast<ArcMillis>(std::llround(PackedToDegrees(packed) * kArcMillisPerDegree));
}

ArcMillis WholeTurn(ArcMillis angle) {
  const ArcMillis a = angle % kTurn;
  return a < 0 ? a + kTurn : a;
}

double ArcMillisToDegrees(ArcMillis angle) {
  return static_cast<double>(angle) / kArcMillisPerDegree;
}

AngleAdjustment AdjustAngles(const TraverseInput& input,
                             std::span<const std::optional<ArcMillis>> angles,
                             ArcMillis firstAzimuth) {
  const std::size_t stations = angles.size();
  AngleAdjustment out;
  out.corrections.assign(stations, 0);
  out.corrected.assign(angles.begin(), angles.end());

  std::vector<ArcMillis> left;
  for (std::size_t i = 0; i < stations; ++i) {
    if (Corrected(input.kind, i)) left.push_back(AsLeft(*angles[i], input.side));
  }
  if (!left.empty()) {
    const ArcMillis closureLeft = LeftClosure(input, left);
    const double sideSign = input.side == AngleSide::kLeft ? 1.0 : -1.0;
    const double seconds = sideSign * static_cast<double>(closureLeft) / 1000.0;
    const std::vector<double> weights(left.size(), 1.0);
    const auto totals = ProportionalRunningTotals(-seconds, weights);
    const auto steps = RoundedSteps(totals);
    std::size_t k = 0;
    for (std::size_t i = 0; i < stations; ++i) {
      if (!Corrected(input.kind, i)) continue;
      out.corrections[i] = steps[k++];
      *out.corrected[i] += out.corrections[i] * 1000;
    }
    const double limit = input.limits.angleSeconds * std::sqrt(static_cast<double>(left.size()));
    out.closure =
        AngleClosure{seconds, limit, static_cast<int>(left.size()), std::fabs(seconds) > limit};
  }

  // Azimuths: each leg's is the one before it turned by the angle at its
  // start, less half a turn (a left angle; a right angle turns the other
  // way). An unoriented traverse's first leg takes firstAzimuth.
  ArcMillis azimuth =
      input.kind == TraverseKind::kUnoriented ? firstAzimuth : PackedToArcMillis(input.azimuthIn);
  for (std::size_t i = 0; i + 1 < stations; ++i) {
    const bool turns = input.kind != TraverseKind::kUnoriented || i > 0;
    if (turns) azimuth = WholeTurn(azimuth + AsLeft(*out.corrected[i], input.side) - kHalfTurn);
    out.azimuths.push_back(azimuth);
  }
  return out;
}

}  // namespace survey
