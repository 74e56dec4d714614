#include "core/packed_angle.h"

#include <cmath>
#include <cstdint>

namespace survey {
namespace {

constexpr double kOneSixtieth = 0.016666666666666666;
constexpr double kOneThirtySixth = 0.027777777777777776;

// Beyond this magnitude of degrees*100 every double is a whole number and the
// minute digits carry no binary noise worth guarding against.
constexpr double kGuardLimit = 0x1p50;

// How far degrees*100 may lie from a whole number and still count as "no
// seconds": a few units in the last place, far below a thousandth of a
// second for any angle a surveyor types.
constexpr double kGuardUlps = 4.0;

double UnitInLastPlace(double x) {
  return std::nextafter(std::fabs(x), INFINITY) - std::fabs(x);
}

// The packed angle whose degrees*100 is the whole number n (seconds digits
// 00), evaluated as the plain steps would evaluate the exact decimal value:
// floor of the degrees plus the signed minutes remainder.
double WholeMinutesToDegrees(double n) {
  const auto whole = static_cast<std::int64_t>(n);
  const std::int64_t quotient = whole / 100;
  const std::int64_t minutes = whole % 100;  // sign of the dividend, as fmod
  const std::int64_t degrees = minutes < 0 ? quotient - 1 : quotient;  // floor
  return static_cast<double>(degrees) +
         static_cast<double>(minutes) * kOneSixtieth;
}

}  // namespace

double PackedToDegrees(double packed) {
  const double scaled = packed * 100.0;
  if (std::fabs(scaled) < kGuardLimit) {
    const double nearest = std::nearbyint(scaled);
    if (std::fabs(scaled - nearest) <= kGuardUlps * UnitInLastPlace(scaled)) {
      return WholeMinutesToDegrees(nearest);
    }
  }
  const double minutes = std::floor(std::fmod(packed, 1.0) * 100.0);
  const double partial = std::floor(packed) + minutes * kOneSixtieth;
  const double seconds = std::fmod(scaled, 1.0) * kOneThirtySixth;
  return partial + seconds;
}

double DegreesToPacked(double degrees) {
  const double minutes = std::floor(std::fmod(degrees, 1.0) * 60.0);
  const double partial = std::floor(degrees) + minutes * 0.01;
  const double seconds = std::fmod(degrees * 60.0, 1.0) * 0.006;
  return partial + seconds;
}

}  // namespace survey
