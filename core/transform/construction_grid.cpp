#include "core/transform/construction_grid.h"

#include <cmath>
#include <numbers>

namespace survey {

TransformOutcome<ConstructionGrid> ConstructionGrid::Make(PlaneXY origin, double azimuthDegrees) {
  const TransformOutcome<FourParameters> toSurvey =
      FourParameters::Make(origin.x, origin.y, azimuthDegrees, 1.0);
  if (!toSurvey.ok()) return toSurvey.error();
  return ConstructionGrid(toSurvey.value());
}

TransformOutcome<ConstructionGrid> ConstructionGrid::FromAxis(PlaneXY origin, PlaneXY onAxis) {
  const PlaneXY points[] = {origin, onAxis};
  for (std::size_t i = 0; i < 2; ++i) {
    for (const double v : {points[i].x, points[i].y}) {
      if (!std::isfinite(v)) {
        return TransformError{.problem = TransformProblem::kNotANumber, .point = i, .value = v};
      }
    }
  }
  const double dx = onAxis.x - origin.x;
  const double dy = onAxis.y - origin.y;
  if (dx == 0.0 && dy == 0.0) {
    return TransformError{.problem = TransformProblem::kAxisPointAtOrigin, .point = 1};
  }
  double degrees = std::atan2(dy, dx) * (180.0 / std::numbers::pi);
  if (degrees < 0.0) degrees += 360.0;
  if (degrees >= 360.0) degrees = 0.0;  // -tiny + 360 rounds to 360
  return Make(origin, degrees);
}

}  // namespace survey
