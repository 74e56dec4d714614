#include "core/survey.h"

#include <cmath>

#include "core/packed_angle.h"

namespace survey {

ForwardResult ComputeForward(double x0, double y0, double azimuth, double distance) {
  const double alpha = PackedToDegrees(azimuth) * kDegToRad;
  const double x = std::cos(alpha) * distance + x0;
  const double y = std::sin(alpha) * distance + y0;
  return {x, y};
}

InverseResult ComputeInverse(double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  if (dx == 0.0 && dy == 0.0) return {true, 0.0, 0.0, 0.0};
  const double distance = std::sqrt(dy * dy + dx * dx);
  double theta = std::atan2(dy, dx) * kRadToDeg;
  if (theta < 0.0) theta = theta + 360.0;
  return {false, DegreesToPacked(theta), distance, theta};
}

double TurnedAngle(double pointDegrees, double backsightDegrees) {
  double angle = pointDegrees - backsightDegrees;
  if (angle < 0.0) angle = angle + 360.0;
  return DegreesToPacked(angle);
}

}  // namespace survey
