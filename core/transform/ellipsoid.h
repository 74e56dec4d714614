#pragma once

// The reference ellipsoids of the national grids Chinese surveys work in.

namespace survey {

enum class Ellipsoid {
  kCgcs2000,   // CGCS2000: a 6378137 m, 1/f 298.257222101 (GRS80's a and f)
  kWgs84,      // WGS84: a 6378137 m, 1/f 298.257223563
  kXian80,     // 西安80, IAG-75: a 6378140 m, 1/f 298.257
  kBeijing54,  // 北京54, Krassovsky: a 6378245 m, 1/f 298.3
};

struct EllipsoidAxes {
  double a;  // equatorial radius, metres
  double f;  // flattening
};

EllipsoidAxes AxesOf(Ellipsoid ellipsoid);

}  // namespace survey
