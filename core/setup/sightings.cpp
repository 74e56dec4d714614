#include "core/setup/sightings.h"

#include <cmath>

#include "core/packed_angle.h"
#include "core/survey.h"

namespace survey {

double WholeTurnDegrees(double degrees) {
  double turned = std::fmod(degrees, 360.0);
  if (turned < 0.0) turned += 360.0;
  // A hair below 0 plus 360 rounds to 360 itself.
  return turned < 360.0 ? turned : 0.0;
}

double HalfTurnDegrees(double degrees) {
  double turned = std::fmod(degrees, 360.0);
  if (turned > 180.0) {
    turned -= 360.0;
  } else if (turned <= -180.0) {
    turned += 360.0;
  }
  return turned;
}

double PackedOrientation(double degrees) {
  // Packing snaps a value within a few units in the last place of a whole
  // minute to it, so 359.99999999999994 packs as 360.
  const double packed = DegreesToPacked(degrees);
  return packed < 360.0 ? packed : packed - 360.0;
}

TargetResidual ResidualOf(PlanePoint station, double orientationDegrees, const Sighting& sighting) {
  const InverseResult polar =
      ComputeInverse(station.x, station.y, sighting.point.x, sighting.point.y);
  const double degrees =
      HalfTurnDegrees(polar.degrees - orientationDegrees - PackedToDegrees(sighting.reading));
  TargetResidual residual{degrees * 3600.0, degrees * kDegToRad * polar.distance * 1000.0, {}};
  if (sighting.distance) residual.distanceMm = (polar.distance - *sighting.distance) * 1000.0;
  return residual;
}

double MeanOrientation(PlanePoint station, std::span<const Sighting> sightings, bool byDistance) {
  double first = 0.0;
  double weightedOffsets = 0.0;
  double weights = 0.0;
  for (std::size_t i = 0; i < sightings.size(); ++i) {
    const Sighting& sighting = sightings[i];
    const InverseResult polar =
        ComputeInverse(station.x, station.y, sighting.point.x, sighting.point.y);
    const double own = polar.degrees - PackedToDegrees(sighting.reading);
    if (i == 0) first = own;
    const double weight = byDistance ? polar.distance : 1.0;
    weightedOffsets += weight * HalfTurnDegrees(own - first);
    weights += weight;
  }
  return WholeTurnDegrees(first + weightedOffsets / weights);
}

std::optional<SetupError> CheckSightings(std::span<const Sighting> sightings) {
  for (std::size_t i = 0; i < sightings.size(); ++i) {
    const Sighting& sighting = sightings[i];
    if (!std::isfinite(sighting.point.x) || !std::isfinite(sighting.point.y)) {
      return SetupError{SetupProblem::kBadCoordinate, i};
    }
    if (!std::isfinite(sighting.reading)) return SetupError{SetupProblem::kBadReading, i};
    if (sighting.distance && !(std::isfinite(*sighting.distance) && *sighting.distance > 0.0)) {
      return SetupError{SetupProblem::kBadDistance, i};
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (sightings[j].point.x == sighting.point.x && sightings[j].point.y == sighting.point.y) {
        return SetupError{SetupProblem::kPointTwice, i, j};
      }
    }
  }
  return std::nullopt;
}

}  // namespace survey
