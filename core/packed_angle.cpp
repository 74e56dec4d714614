#include "core/packed_angle.h"

#include <cmath>

#include "core/nearest_whole.h"

namespace survey {
namespace {

constexpr double kOneSixtieth = 0.016666666666666666;
constexpr double kOneThirtySixth = 0.027777777777777776;

// Beyond this magnitude of scaled value every double is a whole number and
// the minute digits carry no binary noise worth guarding against.
constexpr double kGuardLimit = 0x1p50;

// How far a scaled value may lie from a whole number of minutes and still
// count as one: |x| / 2^50, that is 4 to 8 units in the last place of x, far
// below a thousandth of a second for any angle a surveyor types.
constexpr double kGuardRelative = 0x1p-50;

// fmod(x, 1.0), exactly: x - trunc(x) is exact for every finite double, and
// the sign of x is kept for whole values (-5 gives -0.0, as fmod does).
// glibc's general fmod costs several times as much.
double FractionOf(double x) { return std::copysign(x - std::trunc(x), x); }

// The whole number of minutes that `scaled` (an angle times 100 in packed
// form, times 60 in degrees) stands for, if it lies within a few units in the
// last place of one. Both conversions take the minutes apart with floor and
// fmod, which read one minute low when the binary value lies a hair below
// the whole minute; such values are taken as the whole minute instead.
std::optional<std::int64_t> NearWholeMinutes(double scaled) {
  if (!(std::fabs(scaled) < kGuardLimit)) return std::nullopt;
  const double nearest = NearestWhole(scaled);
  if (std::fabs(scaled - nearest) > std::fabs(scaled) * kGuardRelative) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(nearest);
}

// An angle of `whole` scaled units (perDegree of them a degree) evaluated as
// the conversion steps evaluate an exact value: the floor of the degrees plus
// the signed remainder of minutes times the minute factor.
double WholeMinutesValue(std::int64_t whole, std::int64_t perDegree, double minuteFactor) {
  const std::int64_t quotient = whole / perDegree;
  const std::int64_t minutes = whole % perDegree;  // sign of the dividend
  const std::int64_t degrees = minutes < 0 ? quotient - 1 : quotient;
  return static_cast<double>(degrees) + static_cast<double>(minutes) * minuteFactor;
}

}  // namespace

std::optional<std::int64_t> PackedWholeMinutes(double packed) {
  return NearWholeMinutes(packed * 100.0);
}

double PackedToDegrees(double packed) {
  if (const auto whole = PackedWholeMinutes(packed)) {
    return WholeMinutesValue(*whole, 100, kOneSixtieth);
  }
  const double scaled = packed * 100.0;
  const double minutes = std::floor(FractionOf(packed) * 100.0);
  const double partial = std::floor(packed) + minutes * kOneSixtieth;
  const double seconds = FractionOf(scaled) * kOneThirtySixth;
  return partial + seconds;
}

double DegreesToPacked(double degrees) {
  const double scaled = degrees * 60.0;
  if (const auto whole = NearWholeMinutes(scaled)) {
    return WholeMinutesValue(*whole, 60, 0.01);
  }
  const double minutes = std::floor(FractionOf(degrees) * 60.0);
  const double partial = std::floor(degrees) + minutes * 0.01;
  const double seconds = FractionOf(scaled) * 0.006;
  return partial + seconds;
}

}  // namespace survey
