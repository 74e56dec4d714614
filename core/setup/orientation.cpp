#include "core/setup/orientation.h"

#include <cmath>

namespace survey {

SetupOutcome<Orientation> OrientOnBacksights(PlanePoint station,
                                             std::span<const Sighting> backsights) {
  if (!std::isfinite(station.x) || !std::isfinite(station.y)) {
    return SetupError{SetupProblem::kBadCoordinate};
  }
  if (const auto fault = CheckSightings(backsights)) return *fault;
  if (backsights.size() < 2) return SetupError{SetupProblem::kTooFewObservations};

  for (std::size_t i = 0; i < backsights.size(); ++i) {
    if (backsights[i].point.x == station.x && backsights[i].point.y == station.y) {
      return SetupError{SetupProblem::kTargetAtStation, i};
    }
  }

  Orientation result;
  result.degrees = MeanOrientation(station, backsights, true);
  result.orientation = PackedOrientation(result.degrees);
  result.residuals.reserve(backsights.size());
  for (const Sighting& backsight : backsights) {
    result.residuals.push_back(ResidualOf(station, result.degrees, backsight));
  }
  return result;
}

}  // namespace survey
