#pragma once

// The design heights of a road (竖曲线): grade lines between grade-change
// points, rounded at each inner point by a parabolic vertical curve as road
// design tables compute it. A point with grades i1 before and i2 after
// (rise per metre) and radius R has the tangent length T = R |i2 - i1| / 2;
// at distance x from the nearer end of its curve the height is the grade
// line's of that side, plus y = x^2 / 2R where the grade rises (a sag) or
// minus it where it falls (a crest). That is one parabola through both ends.

#include <span>
#include <vector>

#include "core/alignment/alignment_error.h"

namespace survey {

struct GradePoint {
  double chainage;  // metres
  double height;    // metres
  double radius;    // the vertical curve's R, metres, >= 0 (0: no curve);
                    // not read at the first and last point
};

// One inner grade-change point with its curve.
struct VerticalCurve {
  double chainage, height, radius;
  double gradeIn, gradeOut;  // rise per metre
  double tangent;            // T, metres
  double external;           // E = T^2 / 2R, metres (the curve's distance from the point)
};

class Profile {
 public:
  // The profile of `points` by rising chainage. Errors (row: the point's
  // index): kTooFewPoints; kOutOfOrder (value: its chainage) and kSamePlace
  // (with the row before); kBadRadius (value: R) for R below 0;
  // kCurvesOverlap (value: by how much) where the curves of two neighbouring
  // points, or a curve and the first or last point, take more than the grade
  // line between them.
  static OrError<Profile> Build(std::span<const GradePoint> points);

  // The design height at `chainage`; kBesideRange outside the first and last
  // point.
  OrError<double> HeightAt(double chainage) const;

  std::span<const VerticalCurve> curves() const { return curves_; }

  // The chainages of the first and the last point, metres: HeightAt's range.
  double startChainage() const { return points_.empty() ? 0.0 : points_.front().chainage; }
  double endChainage() const { return points_.empty() ? 0.0 : points_.back().chainage; }

 private:
  std::vector<GradePoint> points_;
  std::vector<double> grades_;         // grades_[i]: from point i to i + 1
  std::vector<VerticalCurve> curves_;  // curves_[i - 1]: at point i
};

}  // namespace survey
