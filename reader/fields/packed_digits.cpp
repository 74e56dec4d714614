#include "reader/fields/packed_digits.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/packed_angle.h"
#include "reader/fields/number_text.h"

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

// The text of a packed angle of `whole` minutes, as survey::PackedWholeMinutes
// gives them, with `decimals` decimals (at least two); minutes digits of 60
// or more carried into the degrees. Returns where it ends.
char* WriteWholeMinutes(char* at, std::int64_t whole, int decimals) {
  if (whole < 0) *at++ = '-';
  const std::uint64_t all =
      whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : static_cast<std::uint64_t>(whole);
  const std::uint64_t minutes = all % 100 % 60;
  at = std::to_chars(at, at + 20, all / 100 + all % 100 / 60).ptr;
  *at++ = '.';
  *at++ = static_cast<char>('0' + minutes / 10);
  *at++ = static_cast<char>('0' + minutes % 10);
  return std::fill_n(at, decimals - 2, '0');
}

// The "%.Nf" text of `packed` from `at` to `end`, N = decimals (1, or 3 and
// more), made a valid packed angle; returns where it ends then. Seconds
// digits of 60 or more (or, with three decimals, a tens digit of 6 or more)
// are either seconds rounded up to 60 or a double that lies a hair below
// whole minutes, whose exact digits run 45.2999999999999971578... for 45.30
// and show from fifteen decimals on: the first carry 60 seconds into the
// minutes, the second are those whole minutes, as PackedToDegrees reads
// them (carried, they would be 39.99" too many). Minutes of 60 or more then
// carry into the degrees.
char* MakeValidAngle(char* at, char* end, double packed, int decimals) {
  char* const point = end - decimals - 1;
  // The common case: minutes and seconds below 60 as written.
  if (point[1] < '6' && (decimals < 3 || point[3] < '6')) return end;
  if (decimals >= 3 && point[3] >= '6') {
    if (const auto whole = survey::PackedWholeMinutes(packed)) {
      return WriteWholeMinutes(at, *whole, decimals);
    }
  }
  const bool carry = decimals >= 3 && WrapSixty(point + 3, std::min(decimals - 2, 2), false);
  if (WrapSixty(point + 1, std::min(decimals, 2), carry)) end = AddOneDegree(at, point, end);
  return end;
}

// The marks of the degrees, minutes and seconds, in UTF-8.
constexpr std::string_view kDegreeSign = "\u00B0";
constexpr std::string_view kPrime = "\u2032";
constexpr std::string_view kDoublePrime = "\u2033";
static_assert(kPrime == "\xE2\x80\xB2", "the execution character set must be UTF-8");

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
  if (decimals != 0 && decimals != 2) {
    return MakeValidAngle(at, WriteFixed(at, packed, decimals), packed, decimals);
  }
  // With 0 or 2 decimals the dropped digits count sixtieths: round from a
  // longer text.
  char* end = WriteFixed(at, packed, kSixtiethsFrom);
  char* const point = end - kSixtiethsFrom - 1;
  // Whether the last digit kept takes one more unit.
  const bool carry = point[1 + decimals] >= '3';
  end = decimals == 0 ? point : point + 3;
  if (decimals == 0 ? carry : WrapSixty(point + 1, 2, carry)) {
    end = AddOneDegree(at, point, end);
  }
  return end;
}

void AppendPackedAngle(std::string& out, double packed, int decimals) {
  std::array<char, kMaxAngleChars> text;
  const char* const end = WritePackedAngle(text.data(), packed, decimals);
  out.append(text.data(), static_cast<std::size_t>(end - text.data()));
}

char* WriteDmsAngle(char* at, double packed, int secondsDecimals) {
  if (!std::isfinite(packed)) return WriteFixed(at, packed, 0);
  // The packed text to the same last digit, "109.51491200" for two decimals
  // of a second, laid out anew.
  const int decimals = 4 + secondsDecimals;
  std::array<char, kMaxAngleChars + 4> text;
  char* end = decimals <= kMaxDecimals ? WriteFixed(text.data(), packed, decimals)
                                       : std::to_chars(text.data(), text.data() + text.size() - 1,
                                                       packed, std::chars_format::fixed, decimals)
                                             .ptr;
  end = MakeValidAngle(text.data(), end, packed, decimals);
  const char* const point = end - decimals - 1;
  at = std::copy(static_cast<const char*>(text.data()), point, at);
  at = std::copy(kDegreeSign.begin(), kDegreeSign.end(), at);
  at = std::copy_n(point + 1, 2, at);
  at = std::copy(kPrime.begin(), kPrime.end(), at);
  at = std::copy_n(point + 3, 2, at);
  if (secondsDecimals > 0) {
    *at++ = '.';
    at = std::copy(point + 5, static_cast<const char*>(end), at);
  }
  return std::copy(kDoublePrime.begin(), kDoublePrime.end(), at);
}

void AppendDmsAngle(std::string& out, double packed, int secondsDecimals) {
  std::array<char, kMaxDmsAngleChars> text;
  const char* const end = WriteDmsAngle(text.data(), packed, secondsDecimals);
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
