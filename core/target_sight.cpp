#include "core/target_sight.h"

#include <cmath>
#include <numbers>

#include "core/packed_angle.h"

namespace survey {
namespace {

// (1 − K) / 2R: f for each square metre of horizontal distance.
constexpr double kCorrectionPerSquareMetre = (1.0 - kRefractionCoefficient) / (2.0 * kEarthRadius);

constexpr double kTrueRadToDeg = 180.0 / std::numbers::pi;

}  // namespace

double CurvatureRefraction(double horizontalDistance) {
  return horizontalDistance * horizontalDistance * kCorrectionPerSquareMetre;
}

TargetSight ComputeTargetSight(const HeightSetup& setup, double designHeight,
                               double horizontalDistance) {
  TargetSight sight{};
  // H − Hs and T − I are exact where the two lie within a factor two of
  // each other, as heights of one site mostly do: ΔH is then rounded once,
  // not three times.
  sight.heightDifference =
      (designHeight - setup.stationHeight) + (setup.targetHeight - setup.instrumentHeight);
  if (!(horizontalDistance > 0.0)) {
    sight.fault = SightFault::kOnStation;
    return sight;
  }
  const double d = horizontalDistance;
  if (setup.earthCorrection) sight.correction = CurvatureRefraction(d);
  const double v = sight.heightDifference - sight.correction;
  sight.zenith = DegreesToPacked(std::atan2(d, v) * kTrueRadToDeg);
  sight.slopeDistance = std::sqrt(d * d + v * v);
  return sight;
}

}  // namespace survey
