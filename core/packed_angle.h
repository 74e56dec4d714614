#pragma once

// Packed degrees-minutes-seconds: 45.302512 is 45°30'25.12". The integer part
// is the degrees, the first two decimals the minutes, the rest the seconds
// with their fraction. Conversions to and from decimal degrees, and the angle
// unit factors every computation of the program uses.

#include <cstdint>
#include <optional>

namespace survey {

// The value of pi the program's arithmetic is built on (eight significant
// digits). It is never used directly: the two factors below are derived from
// it and are stored as these exact doubles, so results match to the bit.
inline constexpr double kPi = 3.1415926;
inline constexpr double kDegToRad = 0.017453292222222222;  // kPi / 180
inline constexpr double kRadToDeg = 57.295780490442965;    // 180 / kPi

// Packed DMS -> decimal degrees. Minutes or seconds of 60 or more are not
// rejected (45.6 is 46°). A value whose seconds digits are 00 reads as its
// whole minutes even where the binary double lies a hair below them (45.30
// is exactly 45.5°, not 45°29').
double PackedToDegrees(double packed);

// Decimal degrees -> packed DMS.
double DegreesToPacked(double degrees);

// The whole minutes a packed value stands for where PackedToDegrees reads
// it as whole minutes: degrees times 100 plus the minutes digits, sign kept
// (45.30 gives 4530, -0.3 gives -30), for a value within a few units in the
// last place of them; nullopt for any other value.
std::optional<std::int64_t> PackedWholeMinutes(double packed);

}  // namespace survey
