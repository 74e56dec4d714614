#pragma once

// The minutes and seconds digits of a packed DMS angle as it is written.
// 45.302512 has minutes digits 30 and seconds digits 25; the digits are read
// from the text (after applying any exponent), never from the binary value,
// so 45.30 has 30 minutes however the double rounds. Written angles carry
// seconds of 60 into the minutes and minutes of 60 into the degrees.

#include <string>
#include <string_view>

#include "reader/number_text.h"

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
// exact digits of the value, never with a tolerance.
void AppendPackedAngle(std::string& out, double packed, int decimals);

// The most characters AppendPackedAngle writes: AppendFixed's and a degree
// digit carried into.
inline constexpr std::size_t kMaxAngleChars = kMaxFixedChars + 1;

// The same text written at `at`, where there is room for kMaxAngleChars
// characters (all of which it may overwrite); returns where it ends.
char* WritePackedAngle(char* at, double packed, int decimals);

}  // namespace reading
