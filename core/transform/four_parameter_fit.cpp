#include "core/transform/four_parameter_fit.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace survey {
namespace {

constexpr double kMmPerMetre = 1000.0;

std::optional<TransformError> CheckNumbers(std::span<const CommonPoint> points, double limitMm) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    const CommonPoint& p = points[i];
    for (const double v : {p.source.x, p.source.y, p.target.x, p.target.y}) {
      if (!std::isfinite(v)) {
        return TransformError{.problem = TransformProblem::kNotANumber, .point = i, .value = v};
      }
    }
  }
  if (!(limitMm > 0.0) || !std::isfinite(limitMm)) {
    return TransformError{.problem = TransformProblem::kBadLimit, .value = limitMm};
  }
  return std::nullopt;
}

// Two of the points used (their indices) at one place in one system, the
// earlier first.
std::optional<TransformError> FindIdentical(std::span<const CommonPoint> points,
                                            const std::vector<std::size_t>& used) {
  std::optional<TransformError> found;
  const auto check = [&](PlaneXY CommonPoint::*which) {
    std::vector<std::size_t> order = used;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      const PlaneXY& pa = points[a].*which;
      const PlaneXY& pb = points[b].*which;
      if (pa.x != pb.x) return pa.x < pb.x;
      if (pa.y != pb.y) return pa.y < pb.y;
      return a < b;
    });
    for (std::size_t k = 1; k < order.size(); ++k) {
      const PlaneXY& pa = points[order[k - 1]].*which;
      const PlaneXY& pb = points[order[k]].*which;
      if (pa.x != pb.x || pa.y != pb.y) continue;
      // The pair found first in the order given wins, so that the answer
      // does not depend on which system is looked at first.
      if (!found || order[k] < found->other ||
          (order[k] == found->other && order[k - 1] < found->point)) {
        found = TransformError{.problem = TransformProblem::kIdenticalPoints,
                               .point = order[k - 1],
                               .other = order[k]};
      }
    }
  };
  check(&CommonPoint::source);
  check(&CommonPoint::target);
  return found;
}

// The indexes of the points marked used, in their order.
std::vector<std::size_t> UsedPoints(std::span<const CommonPoint> points) {
  std::vector<std::size_t> used;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (points[i].used) used.push_back(i);
  }
  return used;
}

}  // namespace

TransformOutcome<FourParameterFit> FitFourParameters(std::span<const CommonPoint> points,
                                                     double limitMm) {
  if (const auto fault = CheckNumbers(points, limitMm)) return *fault;
  const std::vector<std::size_t> used = UsedPoints(points);
  if (used.size() < 2) {
    return TransformError{.problem = TransformProblem::kTooFewPoints,
                          .value = static_cast<double>(used.size())};
  }
  if (const auto fault = FindIdentical(points, used)) return *fault;

  // Centroids of the points used, in both systems.
  const double n = static_cast<double>(used.size());
  double sx = 0, sy = 0, tx = 0, ty = 0;
  for (const std::size_t i : used) {
    sx += points[i].source.x;
    sy += points[i].source.y;
    tx += points[i].target.x;
    ty += points[i].target.y;
  }
  sx /= n, sy /= n, tx /= n, ty /= n;

  // About the centroids the normal equations of a = m cos t, b = m sin t
  // separate: a = sum(x X + y Y) / sum(x^2 + y^2), b = sum(x Y - y X) / the
  // same sum.
  double sumSquares = 0, sumA = 0, sumB = 0;
  for (const std::size_t i : used) {
    const double x = points[i].source.x - sx, y = points[i].source.y - sy;
    const double X = points[i].target.x - tx, Y = points[i].target.y - ty;
    sumSquares += x * x + y * y;
    sumA += x * X + y * Y;
    sumB += x * Y - y * X;
  }
  const double a = sumA / sumSquares;
  const double b = sumB / sumSquares;
  const double scale = std::hypot(a, b);
  const double rotation = std::atan2(b, a) * (180.0 / std::numbers::pi);
  const TransformOutcome<FourParameters> made =
      FourParameters::Make(tx - (a * sx - b * sy), ty - (b * sx + a * sy), rotation, scale);
  // Distinct points in both systems give a scale above 0; a sum of squares
  // that overflows does not.
  if (!made.ok()) return made.error();

  FourParameterFit fit{made.value(), {}, std::nullopt, static_cast<int>(used.size())};
  fit.residuals.reserve(points.size());
  double squares = 0;
  for (const CommonPoint& p : points) {
    // Residuals about the centroids, where the digits are, rather than from
    // the shift and the full coordinates.
    const double x = p.source.x - sx, y = p.source.y - sy;
    const double vx = ((a * x - b * y) - (p.target.x - tx)) * kMmPerMetre;
    const double vy = ((b * x + a * y) - (p.target.y - ty)) * kMmPerMetre;
    const double length = std::hypot(vx, vy);
    fit.residuals.push_back({vx, vy, length, length > limitMm});
    if (p.used) squares += vx * vx + vy * vy;
  }
  if (used.size() > 2) fit.sigma0Mm = std::sqrt(squares / (2.0 * n - 4.0));
  return fit;
}

}  // namespace survey
