#include "reader/packed_digits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "reader/number_text.h"

namespace reading {
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

// Takes 60 (or, for a lone tens digit, 6) from the one or two digits at
// `digits`, after adding `carry` to them, where they come to that much;
// returns whether it did.
bool WrapSixty(char* digits, int count, bool carry) {
  int value = digits[0] - '0';
  if (count == 2) value = value * 10 + (digits[1] - '0');
  value += carry ? 1 : 0;
  const int sixty = count == 2 ? 60 : 6;
  const bool wraps = value >= sixty;
  if (wraps) value -= sixty;
  if (count == 2) {
    digits[0] = static_cast<char>('0' + value / 10);
    digits[1] = static_cast<char>('0' + value % 10);
  } else {
    digits[0] = static_cast<char>('0' + value);
  }
  return wraps;
}

// Adds one to the whole number written from `begin` to `whole` in the text
// that ends at `end`; returns where the text ends then.
char* AddOneDegree(char* begin, char* whole, char* end) {
  char* at = whole;
  while (at > begin && at[-1] == '9') *--at = '0';
  if (at > begin && at[-1] >= '0' && at[-1] < '9') {
    ++at[-1];
    return end;
  }
  // 99 -> 100, also behind a sign
  std::memmove(at + 1, at, static_cast<std::size_t>(end - at));
  *at = '1';
  return end + 1;
}

// The decimals of the text that 0- and 2-decimal angles are rounded from:
// a hundred-millionth of a second, far above the noise of a computed double
// (45.30 is held as 45.302999999999997 and read as 45.303000000000).
constexpr int kSixtiethsFrom = 12;

}  // namespace

AzimuthFault FindAzimuthFault(std::string_view number, double value) {
  const PackedDigits digits = ReadPackedDigits(number);
  if (digits.minutes >= 60) return AzimuthFault::kMinutes;
  if (digits.seconds >= 60) return AzimuthFault::kSeconds;
  if (value < 0.0) return AzimuthFault::kNegative;
  return AzimuthFault::kNone;
}

AzimuthFault FindPlainAzimuthFault(std::string_view plain, double value) {
  std::size_t mark = 0;
  while (mark < plain.size() && plain[mark] != '.' && plain[mark] != ',') ++mark;
  if (mark < plain.size()) {
    const std::string_view decimals = plain.substr(mark + 1);
    if (!decimals.empty() && decimals[0] >= '6') return AzimuthFault::kMinutes;
    if (decimals.size() > 2 && decimals[2] >= '6') return AzimuthFault::kSeconds;
  }
  return value < 0.0 ? AzimuthFault::kNegative : AzimuthFault::kNone;
}

char* WritePackedAngle(char* at, double packed, int decimals) {
  if (!std::isfinite(packed)) return WriteFixed(at, packed, decimals);
  // With 0 or 2 decimals the dropped digits count sixtieths: round from a
  // longer text.
  const bool bySixtieths = decimals == 0 || decimals == 2;
  const int written = bySixtieths ? kSixtiethsFrom : decimals;
  char* end = WriteFixed(at, packed, written);
  if (written == 0) return end;
  char* const point = end - written - 1;
  // The common case: minutes and seconds below 60 as written.
  if (!bySixtieths && point[1] < '6' && (decimals < 3 || point[3] < '6')) return end;
  // Whether the last digit kept takes one more unit.
  bool carry = false;
  if (bySixtieths) {
    carry = point[1 + decimals] >= '3';
    end = decimals == 0 ? point : point + 1 + decimals;
  } else if (decimals >= 3) {
    carry = WrapSixty(point + 3, std::min(decimals - 2, 2), false);
  }
  if (decimals == 0 ? carry : WrapSixty(point + 1, std::min(decimals, 2), carry)) {
    end = AddOneDegree(at, point, end);
  }
  return end;
}

void AppendPackedAngle(std::string& out, double packed, int decimals) {
  std::array<char, kMaxAngleChars> text;
  const char* const end = WritePackedAngle(text.data(), packed, decimals);
  out.append(text.data(), static_cast<std::size_t>(end - text.data()));
}

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
  const long exponent =
      exponentAt < number.size() ? ReadExponent(number.substr(exponentAt + 1)) : 0;
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

}  // namespace reading
