#pragma once

// Free station: the instrument stands anywhere and reads its circle, with
// or without horizontal distances, to two or more known points; the
// station's X and Y, the orientation, their standard errors and every
// residual come from a least-squares adjustment of all the readings and
// distances, iterated (Gauss-Newton) to convergence from a start found in
// closed form (station_start.h). Readings to exactly three points without
// distances are the classic resection: no redundancy, every residual 0.
//
// Observations and weights: each reading is a direction with standard
// error sigmas.directionSeconds; each distance has sigmas.distanceMm +
// sigmas.distancePpm * D / 1000 millimetres, D the measured distance in
// metres (the two parts added, not squared and added). Unknowns: X, Y and
// the orientation. Residual signs are those of sightings.h (computed
// minus observed).
//
// Angles: the adjustment works in true angles, so the station is the exact
// one. Its orientation is then given as the sheet's azimuths from the
// adjusted station see it (MeanOrientation of all the sightings alike,
// which is the least-squares orientation for that station), and the
// residuals are taken against it: they differ from the adjustment's own by
// at most the 0.022" of sightings.h.
//
// Standard errors: the square roots of the diagonal of the inverse normal
// matrix (the a-priori errors), times the a-posteriori standard error of
// unit weight, sigma0 = sqrt(sum of (residual / sigma)^2 / redundancy),
// where that is above 1. Where it is below 1, or there is no redundancy
// (the resection), the a-priori errors stand: with little redundancy
// sigma0 comes out near 0 by chance (with one redundant observation it is
// under 0.1 8% of the time), and errors scaled by it would vouch for a
// station far beyond its true precision.
//
// Weak geometry. A station whose observations hardly fix it is refused,
// never returned: on the danger circle (the circle through the sighted
// points), or in line with all of them, the readings do not tell the
// station from its neighbours. The measure is the weakness: the larger
// semi-axis of the station's a-priori standard-error ellipse (the
// orientation eliminated, sigma0 = 1), divided by the largest effect of a
// single observation on its own (a direction's sigma times its distance,
// a distance's sigma). Well-spread points give under 1; it grows without
// bound as the station nears the danger circle. Above kWeakestGeometry the
// station is refused: kTargetsInLine where the sighted points lie on one
// line (none further from the line through the two farthest apart than a
// thousandth of their distance: a circle through them would have a radius
// of 125 times that distance or more), kDangerCircle otherwise. For a resection on an equilateral
// triangle this refuses every station within 2% of the circle's radius from it and passes every one
// 10% or more away (and not within a tenth of the radius of a point); between the two it depends on
// where along the circle the station stands. The weakness is taken at the start and again at the
// solution.
//
// Speed: O(n) per iteration, a handful of iterations; the start by
// directions alone costs n^3/6 triples. Deterministic: the same sightings
// give the same bits.

#include <span>
#include <vector>

#include "core/setup/setup_error.h"
#include "core/setup/sightings.h"

namespace survey {

struct StationSigmas {
  double directionSeconds = 2.0;  // of a reading, seconds; above 0
  double distanceMm = 2.0;        // constant part of a distance's, mm; 0 or more
  double distancePpm = 2.0;       // part in proportion to it, mm per km; 0 or more
};

// Above this weakness a station is refused (see above).
inline constexpr double kWeakestGeometry = 10.0;

struct FreeStation {
  PlanePoint station;         // metres
  double orientation;         // packed DMS, 0 <= A < 360
  double degrees;             // the same in decimal degrees, 0 <= O < 360
  double mxMm;                // standard error of X, mm
  double myMm;                // standard error of Y, mm
  double orientationSeconds;  // standard error of the orientation, seconds
  double sigma0;              // a-posteriori standard error of unit weight; 1 without redundancy
  int redundancy;             // observations (readings and distances) less 3
  double weakness;            // as above, at most kWeakestGeometry
  // One per sighting, in the order given: the reading's residual in seconds
  // and as a sideways miss at the point in millimetres, the distance's in
  // millimetres where it was measured.
  std::vector<TargetResidual> residuals;
};

// The free station from its sightings. Errors: kBadSigma; the faults of
// CheckSightings; kTooFewObservations where the sightings hold fewer than
// two distances and fewer than three points (two points and one distance
// leave two stations possible); kTargetsInLine, kDangerCircle for a
// station too weakly fixed (see above); kTargetAtStation where the
// station comes within a millionth of the farthest distance of a sighted
// point (1 mm at 1 km), where that point's direction means nothing;
// kNoConvergence where the iteration does not settle within 50 steps (as
// with readings that no station shows, whose lines meet only with a point
// behind the instrument).
SetupOutcome<FreeStation> ComputeFreeStation(std::span<const Sighting> sightings,
                                             const StationSigmas& sigmas = {});

}  // namespace survey
