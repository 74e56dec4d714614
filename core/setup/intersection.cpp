#include "core/setup/intersection.h"

#include <algorithm>
#include <cmath>

#include "core/packed_angle.h"

namespace survey {
namespace {

std::optional<SetupError> CheckKnownPoints(PlanePoint a, PlanePoint b) {
  if (!std::isfinite(a.x) || !std::isfinite(a.y))
    return SetupError{SetupProblem::kBadCoordinate, 0};
  if (!std::isfinite(b.x) || !std::isfinite(b.y))
    return SetupError{SetupProblem::kBadCoordinate, 1};
  if (a.x == b.x && a.y == b.y) return SetupError{SetupProblem::kKnownPointsCoincide};
  return std::nullopt;
}

// The unit vector at right angles to (ux, uy) on the chosen side: with X
// north and Y east, the left of a line heading north is west.
void Across(double ux, double uy, Side side, double& px, double& py) {
  px = side == Side::kLeft ? uy : -uy;
  py = side == Side::kLeft ? -ux : ux;
}

}  // namespace

SetupOutcome<PlanePoint> IntersectByAngles(PlanePoint a, PlanePoint b, double angleA, double angleB,
                                           Side side) {
  if (const auto fault = CheckKnownPoints(a, b)) return *fault;
  if (!std::isfinite(angleA)) return SetupError{SetupProblem::kBadReading, 0};
  if (!std::isfinite(angleB)) return SetupError{SetupProblem::kBadReading, 1};
  const double alpha = PackedToDegrees(angleA);
  const double beta = PackedToDegrees(angleB);
  if (!(alpha > 0.0)) return SetupError{SetupProblem::kNoIntersection, 0};
  if (!(beta > 0.0)) return SetupError{SetupProblem::kNoIntersection, 1};
  if (!(alpha + beta < 180.0)) return SetupError{SetupProblem::kNoIntersection};
  const double cotA = 1.0 / std::tan(alpha * kRadiansPerDegree);
  const double cotB = 1.0 / std::tan(beta * kRadiansPerDegree);
  // P = A + (cot(alpha) AB + |AB| across) / (cot(alpha) + cot(beta)); the
  // sum is sin(alpha + beta) / (sin(alpha) sin(beta)), above 0 here.
  const double ux = b.x - a.x;
  const double uy = b.y - a.y;
  double px = 0.0, py = 0.0;
  Across(ux, uy, side, px, py);
  const double sum = cotA + cotB;
  return PlanePoint{a.x + (cotA * ux + px) / sum, a.y + (cotA * uy + py) / sum};
}

SetupOutcome<PlanePoint> IntersectByDistances(PlanePoint a, PlanePoint b, double distanceA,
                                              double distanceB, Side side) {
  if (const auto fault = CheckKnownPoints(a, b)) return *fault;
  if (!(std::isfinite(distanceA) && distanceA > 0.0))
    return SetupError{SetupProblem::kBadDistance, 0};
  if (!(std::isfinite(distanceB) && distanceB > 0.0))
    return SetupError{SetupProblem::kBadDistance, 1};
  const double ux = b.x - a.x;
  const double uy = b.y - a.y;
  const double span = std::hypot(ux, uy);
  if (distanceA + distanceB < span || std::fabs(distanceA - distanceB) > span) {
    return SetupError{SetupProblem::kNoIntersection};
  }
  // Along AB to the foot of P, and across: (dA^2 - dB^2 + |AB|^2) / 2|AB|,
  // sqrt(dA^2 - along^2), each written so that no large squares cancel.
  const double along = 0.5 * (span + (distanceA - distanceB) * (distanceA + distanceB) / span);
  // Circles that touch may leave a rounding below 0.
  const double across = std::sqrt(std::max(0.0, (distanceA - along) * (distanceA + along)));
  double px = 0.0, py = 0.0;
  Across(ux / span, uy / span, side, px, py);
  return PlanePoint{a.x + (along * ux / span + across * px),
                    a.y + (along * uy / span + across * py)};
}

}  // namespace survey
