#pragma once

// A new point from two known points A and B (the first and the second):
// by the angles measured at them (forward intersection), or by the
// distances measured from them (distance intersection). The new point lies
// on the left of the line from A to B, seen from A looking at B, or on its
// right when asked: the same angles or distances give the two mirror
// images, and only the side tells them apart.
//
// Angles are packed DMS, each the angle at its known point between the
// line AB and the new point P (at A between AB and AP, at B between BA and
// BP), both above 0 and together under 180°; measured angles, turned into
// radians with the full pi (sightings.h). The point follows from the
// cotangents: with F the foot of P on AB and h = FP, AF = h cot(alpha) and
// FB = h cot(beta).

#include "core/setup/setup_error.h"
#include "core/setup/sightings.h"

namespace survey {

enum class Side {
  kLeft,  // of the line from the first known point to the second
  kRight,
};

// The point at packed angles angleA at `a` and angleB at `b`. Errors:
// kBadCoordinate, kBadReading (sighting 0 for angleA, 1 for angleB) for
// values that are no finite numbers; kKnownPointsCoincide; kNoIntersection
// where an angle is not above 0 or the two add up to 180° or more.
SetupOutcome<PlanePoint> IntersectByAngles(PlanePoint a, PlanePoint b, double angleA, double angleB,
                                           Side side = Side::kLeft);

// The point distanceA metres from `a` and distanceB from `b`. Circles that
// touch give their one common point. Errors: kBadCoordinate; kBadDistance
// (0 or 1) for a distance that is no finite number above 0;
// kKnownPointsCoincide; kNoIntersection where the circles lie apart or one
// within the other.
SetupOutcome<PlanePoint> IntersectByDistances(PlanePoint a, PlanePoint b, double distanceA,
                                              double distanceB, Side side = Side::kLeft);

}  // namespace survey
