#pragma once

// A site's construction grid (施工坐标系) in the survey system (测量坐标系):
// the grid's origin (X0, Y0) in survey coordinates and the azimuth a of its
// A axis, clockwise from north as every azimuth. The B axis is the A axis
// turned 90° clockwise, as Y is to X:
//
//   X = X0 + A cos a - B sin a
//   Y = Y0 + A sin a + B cos a
//
// which is the four-parameter transformation (four_parameters.h) with m = 1
// and t = a, from the grid to the survey system. Angles in decimal degrees,
// radians by the true pi.

#include "core/transform/four_parameters.h"
#include "core/transform/plane_xy.h"
#include "core/transform/transform_error.h"

namespace survey {

class ConstructionGrid {
 public:
  // The grid of an origin (survey coordinates, metres) and an azimuth
  // (degrees). Errors: kNotANumber.
  static TransformOutcome<ConstructionGrid> Make(PlaneXY origin, double azimuthDegrees);

  // The grid whose origin is `origin` and whose A axis runs through
  // `onAxis`, both in survey coordinates: a is the azimuth from the one to
  // the other, 0 <= a < 360. Errors: kNotANumber (point 0 or 1),
  // kAxisPointAtOrigin.
  static TransformOutcome<ConstructionGrid> FromAxis(PlaneXY origin, PlaneXY onAxis);

  PlaneXY origin() const { return {toSurvey_.dx(), toSurvey_.dy()}; }
  double azimuthDegrees() const { return toSurvey_.rotationDegrees(); }

  // (A, B) -> (X, Y).
  PlaneXY ToSurvey(PlaneXY grid) const { return toSurvey_.Forward(grid); }
  // (X, Y) -> (A, B).
  PlaneXY ToGrid(PlaneXY survey) const { return toSurvey_.Inverse(survey); }

 private:
  explicit ConstructionGrid(FourParameters toSurvey) : toSurvey_(toSurvey) {}

  FourParameters toSurvey_;
};

}  // namespace survey
