#pragma once

// Orientation on several backsights: the instrument stands on a known
// station and reads its horizontal circle to two or more known points; the
// orientation, the azimuth of the circle's zero, is their weighted mean,
// and each backsight's residual shows how well it agrees.
//
// Weights: each backsight's own orientation, its azimuth from the station
// minus its reading, counts in proportion to its horizontal distance from
// the station (computed from the coordinates), O = sum(D_i * O_i) /
// sum(D_i): a centring or pointing error of so many millimetres turns the
// direction to a near point more than to a far one. Backsights either side
// of north average across it (MeanOrientation).
//
// Angles, orientation and residual signs are those of sightings.h: the
// circle reading to set for a point at azimuth A is TurnedAngle(A,
// degrees), and a backsight's is its reading plus its residual.
//
// A backsight's distance, where one is given, takes no part in the
// orientation; its residual (computed minus measured) checks the station.

#include <span>
#include <vector>

#include "core/setup/setup_error.h"
#include "core/setup/sightings.h"

namespace survey {

struct Orientation {
  double orientation;  // packed DMS, 0 <= A < 360
  double degrees;      // the same in decimal degrees, 0 <= O < 360
  // One per backsight, in the order given: the reading's residual in
  // seconds and as a sideways miss at the backsight in millimetres.
  std::vector<TargetResidual> residuals;
};

// The orientation of an instrument on `station` from its readings to two
// or more backsights. Errors: kBadCoordinate (the station's: no sighting),
// the faults of CheckSightings, kTooFewObservations under two backsights,
// kTargetAtStation for a backsight on the station.
SetupOutcome<Orientation> OrientOnBacksights(PlanePoint station,
                                             std::span<const Sighting> backsights);

}  // namespace survey
