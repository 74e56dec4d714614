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
  // One pass finds the point and the exponent letter.
  std::size_t point = std::string_view::npos;
  std::size_t exponentAt = number.size();
  for (std::size_t at = 0; at < number.size(); ++at) {
    const char c = number[at];
    if (c == '.') {
      point = at;
    } else if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
      exponentAt = at;
      break;
    }
  }
  const std::string_view mantissa = number.substr(0, exponentAt);
  const long exponent = exponentAt < number.size()
                            ? ReadExponent(number.substr(exponentAt + 1))
                            : 0;
  const bool hasPoint = point != std::string_view::npos;
  if (!hasPoint) point = mantissa.size();
  const long digitCount = static_cast<long>(mantissa.size()) - (hasPoint ? 1 : 0);
  // Digit k after the decimal point of the value, 0 where there is none.
  auto decimal = [&](long k) {
    const long at = static_cast<long>(point) + exponent + k;
    if (at < 0 || at >= digitCount) return 0;
    const std::size_t inText =
        static_cast<std::size_t>(at) + (static_cast<std::size_t>(at) >= point);
    return mantissa[inText] - '0';
  };
  return {decimal(0) * 10 + decimal(1), decimal(2) * 10 + decimal(3)};
}

}  // namespace calc
