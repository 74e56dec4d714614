#pragma once

// One element of a road alignment — a straight, a circular arc or a clothoid
// spiral — and its exact geometry: the point and tangent at any distance
// along it, and the foot of the perpendicular from a point onto it.
//
// Units and directions: metres; X is the northing, Y the easting; headings
// are radians clockwise from north, with the true pi (std::numbers::pi), not
// the program's eight-digit kPi: the alignment's geometry is exact, and the
// headings only meet packed DMS where a caller converts them. Curvature is
// 1/radius in 1/m, + turning right (clockwise), - left, 0 straight; along a
// spiral it changes linearly with the distance.
//
// A spiral's point is the integral of its heading in closed form as a power
// series, summed until its terms are below the last bit of the sum (never a
// fixed number of terms), on pieces short enough that the series never turns
// through more than a radian: the result is exact to rounding, some 1e-13 m
// on elements of a few hundred metres. An arc's point is its chord, a
// straight's its direction times the distance.

#include <optional>

namespace survey {

enum class ElementKind { kStraight, kArc, kSpiral };

struct Element {
  double chainage;        // at the start, metres
  double length;          // metres, > 0
  double x, y;            // start point
  double heading;         // start heading, radians (any value, not reduced)
  double startCurvature;  // 1/m, + right
  double endCurvature;
  // Derived by MakeElement: the start heading's cosine and sine, the change
  // of curvature per metre, and the end point and end heading.
  double cosHeading, sinHeading;
  double curvatureRate;
  double endX, endY, endHeading;

  ElementKind kind() const {
    if (startCurvature != endCurvature) return ElementKind::kSpiral;
    return startCurvature == 0.0 ? ElementKind::kStraight : ElementKind::kArc;
  }
  double endChainage() const { return chainage + length; }
  // The curvature and heading (radians) at distance s from the start.
  double CurvatureAt(double s) const { return startCurvature + curvatureRate * s; }
  double HeadingAt(double s) const {
    return heading + s * (startCurvature + 0.5 * curvatureRate * s);
  }
};

// An element with its derived members filled in.
Element MakeElement(double chainage, double length, double x, double y, double heading,
                    double startCurvature, double endCurvature);

struct ElementPoint {
  double x, y;
  double heading;  // radians, the element's heading at the point
};

// The point at distance s from the element's start (0 <= s <= length; a
// distance outside continues the same curve).
ElementPoint PointAt(const Element& element, double s);

// The point reached from the origin after `length` metres starting along +u
// with curvature a (1/m) that changes by 2b per metre, in the element's own
// frame: u along the start tangent, v to its right. Exact to rounding; a
// spiral from 0 to 1/R over L gives the end point from which the shift p and
// the tangent increment q of a curve follow exactly.
struct LocalPoint {
  double u, v;
};
LocalPoint CurveIntegral(double a, double b, double length);

struct Foot {
  double s;       // distance from the element's start, 0 to length
  double offset;  // + right of the direction of travel, - left
};

// The foot of the perpendicular from (x, y) onto the element, if it lies on
// the element (a foot within a nanometre of an end counts, at that end) and
// the point lies on the near side of the centre of curvature at the foot
// (the offset towards the inside of a curve below its radius there). None
// otherwise.
std::optional<Foot> FootOn(const Element& element, double x, double y);

}  // namespace survey
