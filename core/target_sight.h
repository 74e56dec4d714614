#pragma once

// The sight from the instrument to the target held at a design point's
// height: the height difference to stake (高差), the zenith angle (天顶距) and
// the slope distance (斜距) the crew sets on the instrument.
//
// Heights in metres, above the same datum:
//   Hs  the station mark's height       I  the instrument height, trunnion
//   H   the design height                  axis above the station mark
//   D   the horizontal distance,        T  the target height, prism centre
//       station to point (>= 0)            above the foot of the pole
//
//   ΔH = H + T − Hs − I
// is the height of the prism centre above the trunnion axis when the foot of
// the pole stands at the design height. On a plane the instrument sights it
// at v = ΔH above its horizontal, so
//   zenith angle  z = atan2(D, v)      (0 < z < 180°, 90° level)
//   slope distance S = sqrt(D² + v²)
//
// The earth's curvature and refraction (两差改正), where asked for: the
// instrument's horizontal is the tangent plane at the station, and the level
// surface through the trunnion axis falls below it by D²/2R at the distance
// D, so a target at the height ΔH stands ΔH − D²/2R above that horizontal.
// The line of sight is bent down towards the earth with the radius R/K,
// which makes every target look K·D²/2R higher. The target therefore appears
// at
//   v = ΔH − f,   f = (1 − K)·D²/(2R) = 0.43·D²/R   (K = 0.14, R = 6371 km)
// above the instrument's horizontal: the zenith angle grows, and the target
// must be sighted lower than the plane figure says. f is 0.067 m at 1 km,
// 0.0169 m at 500 m, 0.0007 m at 100 m. The model keeps the first term in
// D/R: the sphere's exact fall, R·(sec(D/R) − 1), differs from D²/2R by
// less than 0.01 mm below 10 km, far below what K itself is known to (it
// varies with the air, roughly 0.08 to 0.2).
//
// Nothing is range-checked but the distance: heights of any sign and size
// are taken as they are (a sum that overflows gives infinities, as the
// arithmetic does).

namespace survey {

// The refraction coefficient and the earth's mean radius (metres) of the
// correction, the values Chinese surveying texts and practice use.
inline constexpr double kRefractionCoefficient = 0.14;
inline constexpr double kEarthRadius = 6371000.0;

struct HeightSetup {
  double stationHeight;     // Hs, metres
  double instrumentHeight;  // I, metres
  double targetHeight;      // T, metres
  bool earthCorrection;     // correct for the earth's curvature and refraction
};

enum class SightFault {
  kNone,
  // The horizontal distance is zero: the point is on the station, and the
  // target held on it has no zenith angle an instrument could set. A
  // negative or NaN distance, which ComputeInverse never gives, counts the
  // same.
  kOnStation,
};

struct TargetSight {
  SightFault fault;
  double heightDifference;  // ΔH, metres; given even with kOnStation
  double correction;        // f, metres, >= 0; 0 without the correction
  double zenith;            // packed DMS, 0 to 180; 0 with kOnStation
  double slopeDistance;     // metres, >= D; 0 with kOnStation
};

// f = (1 − K)·D²/(2R) in metres for a horizontal distance D in metres.
double CurvatureRefraction(double horizontalDistance);

// The sight to the target held at `designHeight` (metres), `horizontalDistance`
// metres from the station (as ComputeInverse gives it).
//
// The zenith angle is converted with the true pi, not the program's
// eight-digit one that azimuths keep for the calculator's sake: a level
// sight is exactly 90°, where the short pi would show 90°00′00.01″.
TargetSight ComputeTargetSight(const HeightSetup& setup, double designHeight,
                               double horizontalDistance);

}  // namespace survey
