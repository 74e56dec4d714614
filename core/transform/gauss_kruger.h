#pragma once

// The Gauss-Krüger projection (高斯投影) of latitude and longitude to x
// (north) and y (east), and back: the transverse Mercator projection of an
// ellipsoid onto a plane, conformal, true to scale k0 on its central
// meridian. The arithmetic is GeographicLib's TransverseMercator, Krüger's
// series to the 6th order in the third flattening: within 35° of the
// central meridian it is exact to 5 nm, the convergence to 2e-15" and the
// scale to 6e-14, far beyond any zone. TransverseMercatorExact, the closed
// form in elliptic functions, serves the whole ellipsoid, but over a zone it
// is no closer and costs four to five times as much a point
// (bench/transform/compare.sh); PROJ's transverse Mercator is the same
// series.
//
// x counts from the equator, y from the central meridian plus the false
// easting (500 km unless given), with the zone number in front where asked
// (zone 38: 38531999.7306). Latitudes and longitudes in decimal degrees,
// north and east positive.
//
// A projection height surface (抵偿高程面) H projects onto the ellipsoid
// enlarged by (a + H) / a (its a becomes a + H, its flattening stays), so
// that distances at height H come out true to scale near the central
// meridian; every x and y is (a + H) / a times its value without H. The
// point scale is then the grid distance over the distance on that surface.
//
// The central meridian is the one given, or the given zone's, or (forward
// only, with neither) the zone the point's longitude lies in; the inverse
// without either reads the zone from the number in front of y. A longitude
// more than one zone width beyond its zone's edge (3°: 4.5° from the
// central meridian, 6°: 9°) is refused: it is no point of that zone but a
// wrong zone, a longitude for a latitude or a typing slip, and its x and y
// would be far from anything the zone's maps show. The width of a central
// meridian given is 3° unless set.

#include <memory>
#include <optional>

#include "core/transform/ellipsoid.h"
#include "core/transform/plane_xy.h"
#include "core/transform/transform_error.h"

namespace GeographicLib {
class TransverseMercator;
}

namespace survey {

inline constexpr double kFalseEasting = 500000.0;  // metres

struct ProjectionSetup {
  Ellipsoid ellipsoid = Ellipsoid::kCgcs2000;
  int zoneWidth = 3;                      // degrees, 3 or 6
  std::optional<int> zone{};              // the zone
  std::optional<double> centralMeridian{};  // or its meridian, degrees
  double falseEasting = kFalseEasting;    // metres
  bool zonePrefix = false;                // y with the zone number in front
  double heightSurface = 0.0;             // H, metres above the ellipsoid
  double scale = 1.0;                     // k0 on the central meridian
};

struct ProjectedPoint {
  double x;  // north, metres
  double y;  // east, metres, false easting (and zone number) included
  // The convergence of the meridian: the azimuth of grid north from true
  // north, degrees, positive east of the central meridian (true azimuth =
  // grid azimuth + convergence).
  double convergence;
  double pointScale;  // grid distance over the distance on the ellipsoid (height surface)
  std::optional<int> zone;  // the zone projected in, where it is one
  double centralMeridian;   // degrees
};

struct GeographicPoint {
  double latitude;   // degrees
  double longitude;  // degrees, -180 <= L <= 180
  double convergence;
  double pointScale;
  std::optional<int> zone;
  double centralMeridian;
};

class GaussKruger {
 public:
  // Errors: kNotANumber; kBadZoneWidth; kBadZone; kBadCentralMeridian (also
  // for a zone and a central meridian given that are not the zone's);
  // kNoZoneNumber for zonePrefix with a central meridian that is no zone's;
  // kBadHeightSurface; kBadScale.
  static TransformOutcome<GaussKruger> Make(const ProjectionSetup& setup);

  const ProjectionSetup& setup() const { return setup_; }

  // Errors: kNotANumber; kLatitudeBeyondPole; kLongitudeOutsideZone.
  TransformOutcome<ProjectedPoint> Forward(double latitude, double longitude) const;

  // Errors: kNotANumber; kNoZone (no zone, no central meridian, no zone
  // number in y); kBadZone for y's number; kZonePrefixMismatch;
  // kOffProjection for x at or beyond a pole's; kLongitudeOutsideZone
  // (y too far east or west: a y with the zone number in front read
  // without it comes out here). Within those bounds the series is exact to
  // nanometres both ways.
  TransformOutcome<GeographicPoint> Inverse(PlaneXY point) const;

 private:
  GaussKruger(const ProjectionSetup& setup, std::shared_ptr<const GeographicLib::TransverseMercator>);

  ProjectedPoint ForwardIn(double latitude, double longitude, std::optional<int> zone,
                           double meridian) const;

  ProjectionSetup setup_;
  std::optional<int> zone_;          // given, or of the central meridian given
  std::optional<double> meridian_;   // given, or of the zone given
  double poleX_;                     // x of the poles, metres
  std::shared_ptr<const GeographicLib::TransverseMercator> projection_;
};

}  // namespace survey
