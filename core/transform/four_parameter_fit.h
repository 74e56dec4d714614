#pragma once

// Four parameters (four_parameters.h) from common points, points known in
// both systems, by least squares: the shift, rotation and scale that bring
// the source coordinates nearest the target ones (the sum of the squared
// residuals in X and Y least). With two points the fit is exact and every
// residual 0; each further point adds two redundant observations.
//
// Residuals are computed minus given: the source point transformed less
// its target coordinates, in millimetres. The standard error of unit
// weight is sqrt(sum of vX^2 + vY^2 over the points used / (2n - 4)), in
// millimetres, n the points used; with two points there is none. A point
// whose residual (the length of (vX, vY)) exceeds the limit is marked;
// points left out take no part in the fit but are given their residuals
// against it and are marked alike, so the user sees whether they fit.
//
// The fit is closed-form on coordinates reduced to the centroids of the
// points used, so national-grid coordinates of millions of metres lose no
// digits. O(n log n) for n points (the check for identical points sorts).

#include <optional>
#include <span>
#include <vector>

#include "core/transform/four_parameters.h"
#include "core/transform/plane_xy.h"
#include "core/transform/transform_error.h"

namespace survey {

// The residual limit when the user sets none, millimetres.
inline constexpr double kDefaultResidualLimitMm = 20.0;

struct CommonPoint {
  PlaneXY source;  // (x, y), metres
  PlaneXY target;  // (X, Y), metres
  bool used = true;  // false: left out of the fit
};

struct CommonPointResidual {
  double vxMm;  // X computed less X given, mm
  double vyMm;  // Y computed less Y given, mm
  double lengthMm;  // sqrt(vX^2 + vY^2)
  bool overLimit;   // lengthMm above the limit
};

struct FourParameterFit {
  FourParameters parameters;
  // One per common point, in the order given, left-out points included.
  std::vector<CommonPointResidual> residuals;
  // The standard error of unit weight, mm; none with two points.
  std::optional<double> sigma0Mm;
  int pointsUsed;
};

// The fit of the common points. Errors: kNotANumber (`point` the point at
// fault) for a coordinate that is not finite, of a point used or not;
// kBadLimit; kTooFewPoints where fewer than two points are used;
// kIdenticalPoints where two points used are at one place in the source or
// in the target system (`point` the earlier, `other` the later).
TransformOutcome<FourParameterFit> FitFourParameters(
    std::span<const CommonPoint> points, double limitMm = kDefaultResidualLimitMm);

}  // namespace survey
