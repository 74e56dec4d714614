#include "cli/packed_digits.h"

#include <algorithm>

namespace calc {
namespace {

// The exponent's value, held far beyond any position that matters.
long ReadExponent(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  long value = 0;
  for (const char c : text) {
    value = std::min(value * 10 + (c - '0'), 1'000'000L);
  }
  return negative ? -value : value;
}

}  // namespace

PackedDigits ReadPackedDigits(std::string_view number) {
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
    number.remove_prefix(1);
  }
  const std::size_t exponent_at =
      std::min(number.find_first_of("eEdD"), number.size());
  const std::string_view mantissa = number.substr(0, exponent_at);
  const long exponent = exponent_at < number.size()
                            ? ReadExponent(number.substr(exponent_at + 1))
                            : 0;
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const long digit_count =
      static_cast<long>(mantissa.size()) - (point < mantissa.size() ? 1 : 0);
  // Digit k after the decimal point of the value, 0 where there is none.
  auto decimal = [&](long k) {
    const long at = static_cast<long>(point) + exponent + k;
    if (at < 0 || at >= digit_count) return 0;
    const std::size_t in_text =
        static_cast<std::size_t>(at) + (static_cast<std::size_t>(at) >= point);
    return mantissa[in_text] - '0';
  };
  return {decimal(0) * 10 + decimal(1), decimal(2) * 10 + decimal(3)};
}

}  // namespace calc
