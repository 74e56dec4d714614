#pragma once

// The rigorous traverse: the new points' coordinates by least squares
// from all the angles and distances at once (Gauss-Newton, started from
// the compass rule's points), with each point's standard errors. The
// kinds, stations and angles are those of traverse.h.
//
// Observations and weights: each angle the kind uses is one observation
// with the grade's angle standard error, each distance one with its
// distance standard error (limits.h: k / 2 seconds and 15 mm). The known
// azimuths into the start and out of the end are fixed, as are the known
// points. Angles are measured, true angles (the full pi); known azimuths
// are the sheet's, turned into the plane with its own factor, as
// ComputeForward does.
//
// Standard errors: the square roots of the diagonal of the inverse normal
// matrix (a priori, from those sigmas), times the a-posteriori standard
// error of unit weight sigma0 = sqrt(sum of (residual / sigma)^2 /
// redundancy) where that is above 1; where it is below 1, or there is no
// redundancy (an open traverse), the a-priori errors stand, as for a free
// station: a small redundancy gives a small sigma0 by chance.
//
// Redundancy: 3 for an attached or closed traverse, 1 without orientation,
// 0 for an open one.
//
// Speed: the normal equations are dense and inverted whole in each of a
// few iterations, O(n^3) in the stations: 1.3 ms for 50 stations, 96 ms
// for 200 (bench/control, one core of the build machine). Office
// traverses have tens of stations; a banded solver would pay only far
// beyond them.

#include <vector>

#include "core/control/control_error.h"
#include "core/control/traverse.h"

namespace survey {

// A point's standard errors, mm, all 0 for a known point: of X and of Y,
// the point's own (sqrt(mx^2 + my^2), the office's 点位中误差), and its
// standard-error ellipse, the semi-axes (major^2 + minor^2 = mp^2) and the
// azimuth of the major one (0 <= A < 180 degrees, decimal; 0 where the
// errors are the same all round).
struct RigorousPoint {
  PlanePoint point;  // metres
  double mxMm;
  double myMm;
  double mpMm;
  double majorMm;
  double minorMm;
  double majorAzimuth;
};

struct RigorousTraverse {
  std::vector<RigorousPoint> points;  // one per station, in the order given
  // Residuals, computed minus observed: one per station (the angle's,
  // seconds, in the input's sense; 0 where the kind uses none), one per leg
  // (the distance's, mm).
  std::vector<double> angleSeconds;
  std::vector<double> distanceMm;
  double sigma0;  // a posteriori; 1 without redundancy
  int redundancy;
  std::size_t weakest;  // the station with the largest mp (the office's 最弱点)
  // The form's table on the adjusted points: the closures and limits are
  // the compass rule's (they are the observations'); each angle's
  // correction is its residual (seconds, not whole), each leg's azimuth is
  // the one between the adjusted points and its distance the observed
  // one, and the increments and their corrections take the table onto the
  // adjusted points rounded to the millimetre (traverse_columns.h).
  TraverseResult table;
};

// The adjustment. Errors: those of ComputeTraverse; kNoConvergence where
// the iteration does not settle within 20 steps.
ControlOutcome<RigorousTraverse> AdjustTraverseRigorously(const TraverseInput& input);

}  // namespace survey
