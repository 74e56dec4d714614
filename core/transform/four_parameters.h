#pragma once

// The plane four-parameter transformation (平面四参数) between two plane
// systems: a shift, a rotation and a scale. The source system is (x, y), the
// target (X, Y), both with x (X) the northing and y (Y) the easting:
//
//   X = dx + m (x cos t - y sin t)
//   Y = dy + m (x sin t + y cos t)
//
// t is counted clockwise, as azimuths are: a direction of azimuth A in the
// source system has azimuth A + t in the target one. m is the scale itself
// (1.000012), never ppm. Tools that write X = dx + m (x cos t + y sin t)
// count the rotation the other way: their t is this one with its sign
// turned (their -1.244048" is +1.244048" here).
//
// Angles in decimal degrees; radians come from them with the true pi
// (std::numbers::pi). The inverse takes (X, Y) back to (x, y) with the same
// parameters; forward then inverse returns a point to a few nanometres over
// a national grid's coordinates.

#include "core/transform/plane_xy.h"
#include "core/transform/transform_error.h"

namespace survey {

class FourParameters {
 public:
  // The parameters: dx, dy metres, rotation t degrees (clockwise), scale m.
  // Errors: kNotANumber (point kNoPoint) for a value that is not finite,
  // kBadScale for m not above 0.
  static TransformOutcome<FourParameters> Make(double dx, double dy, double rotationDegrees,
                                               double scale);

  double dx() const { return dx_; }
  double dy() const { return dy_; }
  double rotationDegrees() const { return rotationDegrees_; }
  double scale() const { return scale_; }

  // (x, y) in the source system -> (X, Y) in the target one.
  PlaneXY Forward(PlaneXY source) const;
  // (X, Y) in the target system -> (x, y) in the source one.
  PlaneXY Inverse(PlaneXY target) const;

 private:
  FourParameters(double dx, double dy, double rotationDegrees, double scale);

  double dx_;
  double dy_;
  double rotationDegrees_;
  double scale_;
  double cos_;  // of the rotation
  double sin_;
};

}  // namespace survey
