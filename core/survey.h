#pragma once

// The two computations of plane surveying, forward and inverse, and the
// angle turned between two directions. X is the northing, Y the easting;
// azimuths are packed DMS, counted clockwise from north (+X towards +Y).
// Reading and writing numbers as field text is field_text.h's.

namespace survey {

struct ForwardResult {
  double x;
  double y;
};

struct InverseResult {
  // True when the two points are the same: no azimuth, no distance.
  bool identicalPoints;
  double azimuth;   // packed DMS, 0 to 360 inclusive
  double distance;  // not negative
  // The azimuth in decimal degrees, 0 to 360 inclusive, as it is computed
  // before it is packed: angles between directions are taken from these.
  double degrees;
};

// End point from a start point, a packed azimuth and a distance.
ForwardResult ComputeForward(double x0, double y0, double azimuth, double distance);

// Packed azimuth and distance from the first point to the second.
InverseResult ComputeInverse(double x0, double y0, double x1, double y1);

// The angle turned clockwise from a backsight's direction to a point's, both
// in decimal degrees as ComputeInverse gives them (0 to 360): their
// difference, plus 360 where it is negative, packed; 0 to 360, never
// negative.
double TurnedAngle(double pointDegrees, double backsightDegrees);

}  // namespace survey
