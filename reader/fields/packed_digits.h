#pragma once

// The minutes and seconds digits of a packed DMS angle as it is written.
// 45.302512 has minutes digits 30 and seconds digits 25; the digits are read
// from the text (after applying any exponent), never from the binary value,
// so 45.30 has 30 minutes however the double rounds. Written angles carry
// seconds of 60 into the minutes and minutes of 60 into the degrees.

#include <string>
#include <string_view>

#include "reader/fields/number_text.h"

namespace reading {

struct PackedDigits {
  int minutes;  // decimals 1-2, 0 to 99
  int seconds;  // decimals 3-4, 0 to 99
};

// `number` is a whole number as ReadWholeNumber accepts it.
PackedDigits ReadPackedDigits(std::string_view number);

// What can be wrong with an azimuth as written.
enum class AzimuthFault {
  kNone,
  kMinutes,   // minutes digits of 60 or more: 45.6 is no angle
  kSeconds,   // seconds digits of 60 or more
  kNegative,  // the notation's floor reads -0.0001 as -1°01'01", not -1"
};

// `number` is a whole number as ReadWholeNumber accepts it, and `value` what
// it reads as.
AzimuthFault FindAzimuthFault(std::string_view number, double value);

// The same for a number written "[sign]digits[.digits]" (as
// ReadPlainDecimal reads it), in fewer steps: minutes or seconds of 60 or
// more show in their first digit. The decimal mark may be a point or a
// comma.
AzimuthFault FindPlainAzimuthFault(std::string_view plain, double value);

// Appends a packed angle with `decimals` decimals (0 to kMaxDecimals),
// rounded to the nearest unit of its last digit as an angle, and as a valid
// packed angle. With 1, 3 or 4 and more decimals that is the "%.Nf" text,
// where its seconds digits (or, with three decimals, its tens of seconds)
// come to 60 or more, 60 seconds carried into the minutes, and minutes of 60
// or more into the degrees: 45.345970 (45°34'59.70") at four decimals is
// "45.3500", not "45.3460"; 359.5959999 at two is "360.00". With 0 or 2
// decimals the dropped digits count sixtieths, not tenths: 45.3040
// (45°30'40") at two is "45.31", not "45.30". Everything is decided on the
// exact digits of the value, never with a tolerance, but for one case: the
// double nearest to whole minutes may lie a hair below them, and from
// fifteen decimals on its digits show it (45.30 is held as
// 45.29999999999999715783); such a value is written as those whole minutes,
// as PackedToDegrees reads it ("45.3000000000000000" at sixteen decimals,
// not the "45.3039999999999972" that carrying 99 seconds would give).
void AppendPackedAngle(std::string& out, double packed, int decimals);

// The most characters AppendPackedAngle writes: AppendFixed's and a degree
// digit carried into.
inline constexpr std::size_t kMaxAngleChars = kMaxFixedChars + 1;

// The same text written at `at`, where there is room for kMaxAngleChars
// characters (all of which it may overwrite); returns where it ends.
char* WritePackedAngle(char* at, double packed, int decimals);

// Appends a packed angle as degrees, minutes and seconds with their marks,
// as an instrument shows it: "109°51′49″" for 109.514912 with no decimals
// of a second, "109°51′49.12″" with two; minutes and seconds two digits
// each ("7°05′03″"), a minus sign in front of a negative angle. The seconds
// have `secondsDecimals` decimals (0 to kMaxDecimals) and are rounded
// exactly as AppendPackedAngle rounds the packed angle with four more
// decimals, carries and whole minutes included: 359°59′59.99″ with no
// decimals is "360°00′00″" (360 stays 360). The marks are UTF-8: ° U+00B0,
// ′ U+2032, ″ U+2033. Infinities and NaN are written "inf", "-inf", "nan".
void AppendDmsAngle(std::string& out, double packed, int secondsDecimals);

// The most bytes AppendDmsAngle writes: the packed text with four decimals
// more, and the three marks (eight bytes) and a seconds' point in place of
// the packed point.
inline constexpr std::size_t kMaxDmsAngleChars = kMaxAngleChars + 4 + 8;

// The same text written at `at`, where there is room for kMaxDmsAngleChars
// bytes; returns where it ends.
char* WriteDmsAngle(char* at, double packed, int secondsDecimals);

}  // namespace reading
