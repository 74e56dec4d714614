#pragma once

// The minutes and seconds digits of a packed DMS angle as it is written.
// 45.302512 has minutes digits 30 and seconds digits 25; the digits are read
// from the text (after applying any exponent), never from the binary value,
// so 45.30 has 30 minutes however the double rounds.

#include <string_view>

namespace calc {

struct PackedDigits {
  int minutes;  // decimals 1-2, 0 to 99
  int seconds;  // decimals 3-4, 0 to 99
};

// `number` is a whole number as ReadWholeNumber accepts it.
PackedDigits ReadPackedDigits(std::string_view number);

}  // namespace calc
