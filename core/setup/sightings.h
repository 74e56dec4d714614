#pragma once

// What the instrument shows when it sights a known point, and what every
// setup does with such sightings: checks them, and takes each one's
// residual against a station and an orientation.
//
// Angles. Two kinds meet here. Readings, and the angles of an
// intersection, are measured: true angles, turned into radians with the
// full pi (kRadiansPerDegree), so that the geometry of a station or a new
// point is exact. Azimuths between points are the setting-out sheet's:
// ComputeInverse's decimal degrees, atan2 times the program's kRadToDeg
// (pi taken as 3.1415926), which run ahead of true ones by 1.7e-8 of the
// angle from north, up to 0.011" towards the south, and jump by 0.022" at
// due south (180.0000031° just east of it, 179.9999969° just west).
// Orientations and residuals are taken against these azimuths, so that for
// every backsight the circle reading the sheet gives it, TurnedAngle(A, O),
// is its reading plus its residual (to rounding, far below 0.0001").
//
// Orientation: the azimuth of the circle's zero, 0 <= O < 360; a point at
// azimuth A reads A - O.
//
// Residuals are computed minus observed: the reading the setup gives the
// point (its azimuth minus the orientation) minus the reading taken,
// brought within -180° to 180°; positive where the point lies clockwise of
// (to the right of) the direction read. A distance's residual is the
// distance between station and point minus the one measured.

#include <cstddef>
#include <numbers>
#include <optional>
#include <span>

#include "core/setup/setup_error.h"

namespace survey {

// Radians in a true degree, for measured angles.
inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// A point in the plane, metres; X north, Y east.
struct PlanePoint {
  double x;
  double y;
};

struct Sighting {
  PlanePoint point;  // the known point sighted
  double reading;    // horizontal circle reading, packed DMS
  // Horizontal distance measured to it, metres; none where only the
  // direction was taken.
  std::optional<double> distance;
};

struct TargetResidual {
  double seconds;                    // of the reading, seconds of arc
  double lateralMm;                  // the reading's residual as a sideways miss at the point, mm
  std::optional<double> distanceMm;  // of the distance, mm; none without one
};

// An angle in degrees brought to 0 <= a < 360 by whole turns.
double WholeTurnDegrees(double degrees);

// An angle in degrees brought to -180 < a <= 180 by whole turns.
double HalfTurnDegrees(double degrees);

// An orientation in degrees (0 <= O < 360) packed, 0 <= A < 360: a value
// within a rounding of 360 packs as 0, never as 360.
double PackedOrientation(double degrees);

// The residual of a sighting against a station and an orientation in
// degrees, as above; the distance residual only where the sighting has a
// distance. A sighting of the station itself gives 0 for the lateral miss.
TargetResidual ResidualOf(PlanePoint station, double orientationDegrees, const Sighting& sighting);

// The orientation the sightings give a station, in degrees, 0 <= O < 360:
// the mean of their own orientations (the azimuth from the station as
// ComputeInverse gives it, less the reading), each weighted by its
// distance from the station or all alike. They are averaged as their
// differences from the first one, each brought within -180° to 180°, so
// that 359°59'50" and 0°00'10" average to 0°, not 180°. No sighting may be
// of the station itself.
double MeanOrientation(PlanePoint station, std::span<const Sighting> sightings, bool byDistance);

// The first fault of the sightings themselves, in order: a coordinate or
// reading that is no finite number, a distance that is no finite number
// above zero, a point sighted twice (the same X and Y). Nothing where they
// are sound.
std::optional<SetupError> CheckSightings(std::span<const Sighting> sightings);

}  // namespace survey
