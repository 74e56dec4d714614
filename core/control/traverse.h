#pragma once

// The traverse (导线) computation table: angle closure and corrections,
// azimuths, coordinate increments, coordinate closure and the compass
// rule, adjusted coordinates, each closure beside its limit.
//
// Kinds, the stations given in the order of travel:
//   kAttached (附合)   start B and end C known, the azimuth into B (from
//                      the backsight) and out of C (to the foresight)
//                      known; an angle at every station, B and C included.
//   kClosed (闭合)     a loop from B back to B: stations B, P1 ... Pn, B.
//                      The angle at the first B is the connection angle
//                      from the backsight to the first leg (it orients the
//                      loop and is not corrected); P1 ... Pn and the last B
//                      carry the polygon's n + 1 angles, whose sum is
//                      checked against (n - 1) * 180 degrees (the inner
//                      angles) or (n + 3) * 180 degrees (the outer ones).
//   kUnoriented (无定向附合) start and end known, no azimuth at either:
//                      angles at the new points only. The traverse is
//                      computed on the azimuth from B to C, then turned
//                      and scaled about B until it ends on C (a
//                      similarity); the scale and the rotation are given,
//                      and the coordinate closure is the length the
//                      traverse missed C by along BC (the rotation takes
//                      up the rest, which therefore checks nothing).
//   kOpen (支导线)     start and its backsight azimuth known, nothing at
//                      the end: angles at every station but the last;
//                      computed, not checked.
// Angles where a kind uses none (the ends without orientation, the last
// station of an open traverse) are ignored; an angle the kind uses must lie
// within 0 <= a < 360 degrees.
//
// Angles are packed DMS, left (左角) or right (右角) of the direction of
// travel, taken to a thousandth of a second; azimuths are the setting-out
// sheet's (ComputeInverse's, survey.h), and increments are ComputeForward's
// along them. A leg's distance is horizontal, or slope with a zenith angle
// (reduced to D = S sin Z).
//
// Closures are observed minus true: the angle closure fβ is the sum of the
// angles less the sum they should have (so for right angles it has the
// sign opposite to the azimuth's misclosure), fx and fy the sums of the
// increments less the known differences (exact, not from the rounded
// increments). Corrections are whole seconds (angles, equal shares) and
// whole millimetres (increments, in proportion to the legs' distances: the
// compass rule), shared by the running total of running_share.h: each
// azimuth and point is the strictly adjusted one to the second and the
// millimetre (of angles in whole seconds), and the angles' corrections sum
// to -fβ rounded. Increments are rounded to millimetres, half away from
// zero, and each increment's correction is what it lacks of the step
// between two rounded points, so the columns add up; their sums are minus
// the closures of the rounded increments, which differ from fx and fy by
// at most half a millimetre a leg.
//
// Limits: |fβ| <= k sqrt(n), n the angles corrected, and ΣD / f >= N. A
// closure over its limit is marked over; the adjustment is given all the
// same.

#include <cstdint>
#include <optional>
#include <vector>

#include "core/control/control_error.h"
#include "core/control/limits.h"
#include "core/setup/sightings.h"

namespace survey {

enum class TraverseKind { kAttached, kClosed, kUnoriented, kOpen };
enum class AngleSide { kLeft, kRight };

struct TraverseStation {
  std::optional<double> angle;     // packed DMS
  std::optional<double> distance;  // to the next station, metres; none at the last
  std::optional<double> zenith;    // packed DMS: the distance is a slope distance
};

struct TraverseInput {
  TraverseKind kind = TraverseKind::kAttached;
  AngleSide side = AngleSide::kLeft;
  PlanePoint start{};
  std::optional<PlanePoint> end;  // kAttached, kUnoriented
  double azimuthIn = 0.0;         // packed DMS, of the line from the backsight into the start
  double azimuthOut = 0.0;  // packed DMS, of the line out of the end to the foresight (kAttached)
  // Known backsight and foresight points: where given, they fix the
  // azimuths in and out (ComputeInverse's, from the backsight to the start
  // and from the end to the foresight) in place of the two above.
  std::optional<PlanePoint> backsight;
  std::optional<PlanePoint> foresight;
  std::vector<TraverseStation> stations;
  TraverseLimits limits{};
};

struct TraverseLegRow {
  double azimuth;   // packed DMS, 0 <= A < 360
  double degrees;   // the same in decimal degrees
  double distance;  // horizontal, metres
  double dx;        // increments, metres, to the millimetre
  double dy;
  double vx;  // their corrections, metres, whole millimetres
  double vy;
};

struct TraverseRow {
  std::optional<double> angle;  // as observed, packed DMS (left or right)
  // Seconds: whole ones in the compass rule's table, the residual in the
  // rigorous one's.
  double correctionSeconds = 0.0;
  std::optional<double> correctedAngle;  // packed DMS
  std::optional<TraverseLegRow> leg;     // to the next station; none on the last row
  PlanePoint point;                      // adjusted, metres
};

struct AngleClosure {
  double seconds;  // fβ, observed minus true
  double limit;    // k sqrt(n), seconds
  int count;       // n, the angles corrected
  bool over;
};

struct CoordinateClosure {
  double fx;  // metres, observed minus true
  double fy;
  double f;
  double ratio;  // ΣD / f; infinity where f is 0
  // The relative closure as the form writes it, 1 / denominator: the ratio
  // rounded down (so never better than it is); 0 where f is 0.
  std::int64_t denominator;
  double limit;  // N
  bool over;
};

struct Similarity {
  double scale;            // the length BC over the length the traverse made of it
  double rotationSeconds;  // turned clockwise onto BC
};

struct TraverseResult {
  std::vector<TraverseRow> rows;                 // one per station
  double sumD = 0.0;                             // metres
  std::optional<AngleClosure> angle;             // kAttached, kClosed
  std::optional<CoordinateClosure> coordinates;  // all but kOpen
  std::optional<Similarity> similarity;          // kUnoriented

  bool checked() const { return coordinates.has_value(); }
  bool over() const { return (angle && angle->over) || (coordinates && coordinates->over); }
};

// The horizontal distance of each leg (reduced where it has a zenith
// angle), after checking the stations: kTooFewLegs under two legs (three
// for a closed loop), kMissingDistance, kBadDistance, kBadAngle (a zenith
// angle outside 0 to 180 degrees).
ControlOutcome<std::vector<double>> HorizontalDistances(const TraverseInput& input);

// The input with its azimuths in and out taken from its backsight and
// foresight points where it has them (which are then cleared). Errors:
// kBadCoordinate for such a point that is no number, kSightOnStation for
// one that is the start (the end).
ControlOutcome<TraverseInput> ResolveOrientation(const TraverseInput& input);

// The table. Errors: those of ResolveOrientation; those of HorizontalDistances; kMissingAngle,
// kBadAngle for an angle the kind needs; kMissingEnd; kBadCoordinate;
// kEndsCoincide (kUnoriented).
ControlOutcome<TraverseResult> ComputeTraverse(const TraverseInput& input);

}  // namespace survey
