#include "core/alignment/profile.h"

#include <algorithm>
#include <cmath>

namespace survey {

using Kind = AlignmentError::Kind;

OrError<Profile> Profile::Build(std::span<const GradePoint> points) {
  if (points.size() < 2) return AlignmentError{.kind = Kind::kTooFewPoints};
  Profile profile;
  profile.points_.assign(points.begin(), points.end());
  for (std::size_t i = 1; i < points.size(); ++i) {
    const double run = points[i].chainage - points[i - 1].chainage;
    if (run == 0.0) {
      return AlignmentError{.kind = Kind::kSamePlace, .row = i - 1, .otherRow = i};
    }
    if (!(run > 0.0)) {
      return AlignmentError{.kind = Kind::kOutOfOrder, .row = i, .value = points[i].chainage};
    }
    profile.grades_.push_back((points[i].height - points[i - 1].height) / run);
  }
  double before = 0.0;  // the tangent of the curve at the point before
  for (std::size_t i = 1; i < points.size(); ++i) {
    const GradePoint& p = points[i];
    VerticalCurve curve{p.chainage, p.height, 0.0, profile.grades_[i - 1], 0.0, 0.0, 0.0};
    if (i + 1 < points.size()) {
      if (!(p.radius >= 0.0)) {
        return AlignmentError{.kind = Kind::kBadRadius, .row = i, .value = p.radius};
      }
      curve.radius = p.radius;
      curve.gradeOut = profile.grades_[i];
      curve.tangent = 0.5 * p.radius * std::fabs(curve.gradeOut - curve.gradeIn);
      curve.external = p.radius > 0.0 ? curve.tangent * curve.tangent / (2.0 * p.radius) : 0.0;
    }
    const double overlap = before + curve.tangent - (p.chainage - points[i - 1].chainage);
    if (overlap > 0.0) {
      return AlignmentError{
          .kind = Kind::kCurvesOverlap, .row = i - 1, .otherRow = i, .value = overlap};
    }
    if (i + 1 == points.size()) break;
    profile.curves_.push_back(curve);
    before = curve.tangent;
  }
  return profile;
}

OrError<double> Profile::HeightAt(double chainage) const {
  if (points_.empty() ||
      !(chainage >= points_.front().chainage && chainage <= points_.back().chainage)) {
    return AlignmentError{.kind = Kind::kBesideRange, .value = chainage};
  }
  // The grade line that holds the chainage: i from point i to i + 1.
  const auto after = std::upper_bound(points_.begin() + 1, points_.end() - 1, chainage,
                                      [](double k, const GradePoint& p) { return k < p.chainage; });
  const std::size_t i = static_cast<std::size_t>(after - points_.begin()) - 1;
  const GradePoint& from = points_[i];
  const double line = from.height + grades_[i] * (chainage - from.chainage);
  // At most one curve reaches the chainage: the one at either end of its line.
  for (const std::size_t at : {i, i + 1}) {
    if (at == 0 || at + 1 == points_.size()) continue;
    const VerticalCurve& c = curves_[at - 1];
    const double x = c.tangent - std::fabs(chainage - c.chainage);
    if (x > 0.0) {
      const double y = x * x / (2.0 * c.radius);
      return c.gradeOut > c.gradeIn ? line + y : line - y;
    }
  }
  return line;
}

}  // namespace survey
