#include "core/transform/four_parameters.h"

#include <cmath>
#include <numbers>

namespace survey {

TransformOutcome<FourParameters> FourParameters::Make(double dx, double dy,
                                                      double rotationDegrees, double scale) {
  for (const double v : {dx, dy, rotationDegrees, scale}) {
    if (!std::isfinite(v)) return TransformError{.problem = TransformProblem::kNotANumber, .value = v};
  }
  if (!(scale > 0.0)) return TransformError{.problem = TransformProblem::kBadScale, .value = scale};
  return FourParameters(dx, dy, rotationDegrees, scale);
}

FourParameters::FourParameters(double dx, double dy, double rotationDegrees, double scale)
    : dx_(dx), dy_(dy), rotationDegrees_(rotationDegrees), scale_(scale) {
  const double radians = rotationDegrees * (std::numbers::pi / 180.0);
  cos_ = std::cos(radians);
  sin_ = std::sin(radians);
}

PlaneXY FourParameters::Forward(PlaneXY source) const {
  return {dx_ + scale_ * (source.x * cos_ - source.y * sin_),
          dy_ + scale_ * (source.x * sin_ + source.y * cos_)};
}

PlaneXY FourParameters::Inverse(PlaneXY target) const {
  const double x = (target.x - dx_) / scale_;
  const double y = (target.y - dy_) / scale_;
  return {x * cos_ + y * sin_, -x * sin_ + y * cos_};
}

}  // namespace survey
