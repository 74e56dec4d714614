#pragma once

// The whole number nearest to a double, as nearbyint gives it in the
// default rounding mode (ties to even), without a library call: the
// packed-angle guard and the fast writing of fixed-point text take it of
// every value they see.

#include <cmath>

namespace survey {

// nearbyint(x) for every double, the sign kept (-0.3 gives -0.0). Below 2^52
// in magnitude, adding 2^52 leaves no fraction bits, so the sum is |x|
// rounded to the nearest whole number, and taking 2^52 away again is exact;
// from 2^52 on every double is whole, and infinities and NaN stay as they are.
inline double NearestWhole(double x) {
  const double magnitude = std::fabs(x);
  if (!(magnitude < 0x1p52)) return x;
  return std::copysign((magnitude + 0x1p52) - 0x1p52, x);
}

}  // namespace survey
