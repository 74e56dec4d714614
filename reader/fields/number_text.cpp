#include "reader/fields/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/field_text.h"
#include "core/nearest_whole.h"

namespace reading {
namespace {

// Powers of ten that doubles and 64-bit integers both hold exactly.
constexpr std::array<double, 20> kPow10 = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                           1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                           1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

constexpr std::uint64_t kTwoPow53 = std::uint64_t{1} << 53;

using survey::IsDigit;
using survey::NearestWhole;

constexpr std::array<std::uint64_t, 9> kWholePow10 = {1,      10,      100,      1000,     10000,
                                                      100000, 1000000, 10000000, 100000000};

// Adds the digits among the eight bytes at `at` that come before the first
// other byte to `digits`; returns how many there were. Each byte less '0'
// is a digit's value when below 10; borrows and carries only run towards
// later bytes, which cannot move the first byte that is no digit.
inline std::size_t TakeEightDigits(const char* at, std::uint64_t& digits) {
  std::uint64_t bytes = 0;
  std::memcpy(&bytes, at, sizeof bytes);
  static_assert(std::endian::native == std::endian::little);
  const std::uint64_t values = bytes - 0x3030303030303030;
  const std::uint64_t others = (values | (values + 0x7676767676767676)) & 0x8080808080808080;
  const int count = std::countr_zero(others) / 8;  // 8 when all are digits
  if (count == 0) return 0;
  // The digits to the top bytes, as the last of eight with leading zeros;
  // then pairs, fours and the eight combined.
  std::uint64_t v = values << (8 * (8 - count));
  v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FF;
  v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFF;
  v = (v * 10000 + (v >> 32)) & 0x00000000FFFFFFFF;
  digits = digits * kWholePow10[static_cast<std::size_t>(count)] + v;
  return static_cast<std::size_t>(count);
}

// Adds the digits from `at` on to `digits`; returns where they end. Up to
// eight are taken in one step where the text is that long (the common
// coordinate has seven whole digits and three decimals).
inline const char* TakeDigits(const char* at, const char* end, std::uint64_t& digits) {
  if (end - at >= 8) {
    const std::size_t count = TakeEightDigits(at, digits);
    at += count;
    if (count < 8) return at;
  }
  for (; at < end && IsDigit(*at); ++at) {
    digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
  }
  return at;
}

// The eight decimal digits of n < 10^8, leading zeros included, one a byte
// and the first in the lowest byte, as values 0 to 9: n split into two
// halves of four digits, each half into two pairs, each pair into two
// digits, every lane divided at once by a multiplication (x * 10486 >> 20
// is x / 100 for x < 10^4, x * 103 >> 10 is x / 10 for x < 100).
inline std::uint64_t EightDigits(std::uint64_t n) {
  static_assert(std::endian::native == std::endian::little);
  const std::uint64_t halves = (n / 10000) | (n % 10000) << 32;
  const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007F;
  const std::uint64_t pairs = (halves - 100 * hundreds) << 16 | hundreds;
  const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000F;
  return tens | (pairs - 10 * tens) << 8;
}

constexpr std::uint64_t kZeros = 0x3030303030303030;  // '0' in every byte

// Writes `count` digits of n < 10^count at `at`, leading zeros included;
// returns where they end. Up to seven bytes after them are overwritten.
inline char* WriteDigits(char* at, std::uint64_t n, int count) {
  if (count > 8) {
    at = WriteDigits(at, n / 100'000'000, count - 8);
    n %= 100'000'000;
    count = 8;
  }
  const std::uint64_t text = (EightDigits(n) + kZeros) >> (8 * (8 - count));
  std::memcpy(at, &text, sizeof text);
  return at + count;
}

// Writes the digits of n < 10^8 at `at`, without leading zeros; returns
// where they end. Up to seven bytes after them are overwritten.
inline char* WriteShortUnsigned(char* at, std::uint64_t n) {
  const std::uint64_t digits = EightDigits(n);
  // Zero has one digit.
  const int leadingZeros = std::min(std::countr_zero(digits) / 8, 7);
  const std::uint64_t text = (digits + kZeros) >> (8 * leadingZeros);
  std::memcpy(at, &text, sizeof text);
  return at + 8 - leadingZeros;
}

// The same for n < 10^16.
inline char* WriteUnsigned(char* at, std::uint64_t n) {
  if (n < 100'000'000) return WriteShortUnsigned(at, n);
  at = WriteShortUnsigned(at, n / 100'000'000);
  return WriteDigits(at, n % 100'000'000, 8);
}

// The whole units and the fraction of a number of 10^-decimals steps; six
// decimals, the usual case, divide by a constant.
void SplitSteps(std::uint64_t steps, int decimals, std::uint64_t& whole, std::uint64_t& fraction) {
  if (decimals == 6) {
    whole = steps / 1'000'000;
    fraction = steps % 1'000'000;
    return;
  }
  const auto unit = static_cast<std::uint64_t>(kPow10[decimals]);
  whole = steps / unit;
  fraction = steps % unit;
}

// The fast way to "%.Nf": scale by 10^N and round to a whole number. The
// scaled double lies within |s| * 2^-53 of the exact product; when it is
// further than that (with room to spare) from a rounding tie, the whole
// number nearest to it is also the one nearest to the exact product, and the
// text follows from it. Returns where the text ends, nullptr where that
// cannot be proven. Writes at most a sign, 16 whole digits, the point, 19
// decimals and the seven bytes that writing eight digits at a time may
// overwrite past them.
char* WriteFixedFast(char* at, double value, int decimals) {
  if (decimals >= static_cast<int>(kPow10.size())) return nullptr;
  const double scaled = std::fabs(value) * kPow10[decimals];
  if (!(scaled < 0x1p53)) return nullptr;  // also refuses NaN
  const double nearest = NearestWhole(scaled);
  const double offTie = 0.5 - std::fabs(scaled - nearest);
  if (!(offTie > scaled * 0x1p-50)) return nullptr;
  std::uint64_t whole = 0;
  std::uint64_t fraction = 0;
  SplitSteps(static_cast<std::uint64_t>(nearest), decimals, whole, fraction);
  if (std::signbit(value)) *at++ = '-';
  at = WriteUnsigned(at, whole);
  if (decimals > 0) {
    *at++ = '.';
    at = WriteDigits(at, fraction, decimals);
  }
  return at;
}

static_assert(1 + 16 + 1 + kPow10.size() - 1 + 7 <= kMaxFixedChars);

}  // namespace

namespace {

// ReadPlainDecimal, its decimal mark fixed for the compiler (a run-time
// test of the mark costs a mispredicted branch in one row of four). Both
// the digits and the power of ten are exact doubles, so one division gives
// the correctly rounded value, the same that the general conversion finds.
template <bool kDecimalComma>
std::size_t ReadPlainDecimalWith(std::string_view text, double& value, PlainMark& mark) {
  const char* at = text.data();
  const char* const end = at + text.size();
  const bool negative = at < end && *at == '-';
  if (at < end && (*at == '-' || *at == '+')) ++at;
  std::uint64_t digits = 0;
  const char* const intBegin = at;
  at = TakeDigits(at, end, digits);
  std::ptrdiff_t count = at - intBegin;
  std::ptrdiff_t decimals = 0;
  if (at < end && (*at == '.' || (kDecimalComma && *at == ','))) {
    const char* const fracBegin = ++at;
    at = TakeDigits(at, end, digits);
    decimals = at - fracBegin;
    count += decimals;
    mark = !kDecimalComma || fracBegin[-1] == '.'                          ? PlainMark::kPoint
           : decimals == 3 && count >= 4 && count <= 6 && *intBegin != '0' ? PlainMark::kEither
                                                                           : PlainMark::kComma;
  }
  // More than 19 digits may have wrapped around; leave them to the general
  // conversion.
  if (count == 0 || count > 19 || digits > kTwoPow53) return 0;
  const double magnitude = static_cast<double>(digits) / kPow10[decimals];
  value = negative ? -magnitude : magnitude;
  return static_cast<std::size_t>(at - text.data());
}

}  // namespace

std::size_t ReadPlainDecimal(std::string_view text, double& value, bool decimalComma) {
  PlainMark mark = PlainMark::kNone;
  if (!decimalComma) return ReadPlainDecimalWith<false>(text, value, mark);
  const std::size_t length = ReadPlainDecimalWith<true>(text, value, mark);
  return mark == PlainMark::kEither ? 0 : length;
}

std::size_t ReadPlainCommaDecimal(std::string_view text, double& value, PlainMark& mark) {
  mark = PlainMark::kNone;
  return ReadPlainDecimalWith<true>(text, value, mark);
}

bool ReadWholeNumber(std::string_view field, double& value) {
  if (!field.empty() && ReadPlainDecimal(field, value) == field.size()) {
    return true;
  }
  std::size_t start = 0;
  const std::size_t length = survey::ScanNumber(field, start);
  if (length == 0 || start != 0 || length != field.size()) return false;
  value = survey::ConvertNumber(field);
  return true;
}

FieldNumber ReadFieldNumber(std::string_view field, double& value) {
  if (!ReadWholeNumber(field, value)) return FieldNumber::kNotANumber;
  if (!std::isfinite(value)) return FieldNumber::kOutOfRange;
  if (std::fabs(value) >= std::numeric_limits<double>::min()) {
    return FieldNumber::kNumber;
  }
  // Zero is in range when all its digits are zero.
  const std::string_view mantissa = field.substr(0, field.find_first_of("eEdD"));
  return mantissa.find_first_of("123456789") == std::string_view::npos ? FieldNumber::kNumber
                                                                       : FieldNumber::kOutOfRange;
}

char* WriteFixed(char* at, double value, int decimals) {
  if (char* const end = WriteFixedFast(at, value, decimals)) return end;
  if (std::isnan(value)) return std::copy_n("nan", 3, at);
  return std::to_chars(at, at + kMaxFixedChars, value, std::chars_format::fixed, decimals).ptr;
}

void AppendFixed(std::string& out, double value, int decimals) {
  std::array<char, kMaxFixedChars> text;
  const char* const end = WriteFixed(text.data(), value, decimals);
  out.append(text.data(), static_cast<std::size_t>(end - text.data()));
}

}  // namespace reading
