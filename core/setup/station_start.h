#pragma once

// Where a free station's adjustment starts: a station and an orientation
// found in closed form from the sightings themselves, never a guess:
// Gauss-Newton from a poor start runs away (on a resection of points some
// 500 m apart, started anywhere within 600 m of the station with any
// orientation, six times in seven).
//
// - Two or more sightings with distances: each of them is a point in the
//   instrument's own frame (distance along the reading); the rigid turn
//   and shift that lays these points best onto the known ones (least
//   squares, the centroid and one angle in closed form) gives station and
//   orientation. With two points it is exact.
// - Otherwise three or more sightings by direction alone: for any three,
//   the lines from the points back along their directions meet in one
//   point only for the true orientation O, and that condition is linear in
//   cos O and sin O (the 3x3 determinant of the lines expanded by its last
//   column, whose minors are sines of the angles between readings and do
//   not depend on O). Every three of the sightings give one such line in
//   (cos O, sin O); O is the direction that fits them all best (the
//   eigenvector of their 2x2 sum of squares, so better-shaped triples count
//   for more), the station is where the lines from the points meet best,
//   and of O and O + 180°, which give the same lines, the one that looks
//   towards the points. With three sightings this is the exact resection.
//   It costs n^3/6 triples: 120 for ten points.
//
// On the danger circle the condition vanishes for every O; O is then
// arbitrary, the station found lies somewhere on the circle, and the weak
// geometry is for the caller to detect (free_station.h does).

#include <span>

#include "core/setup/setup_error.h"
#include "core/setup/sightings.h"

namespace survey {

struct StationStart {
  PlanePoint station;
  double radians;  // orientation, in true radians (readings turned by kRadiansPerDegree)
};

// The start from sightings that passed CheckSightings. Errors:
// kTooFewObservations with fewer than two distances and fewer than three
// sightings; kTargetsInLine where all the directions are parallel (the
// station in line with every point), `measure` infinite.
SetupOutcome<StationStart> FindStationStart(std::span<const Sighting> sightings);

}  // namespace survey
