#include "core/survey.h"

#include <locale.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/packed_angle.h"

namespace survey {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// White space as the "C" locale's isspace sees it.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// The "C" locale, for the rare conversions from_chars refuses.
locale_t CLocale() {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return c_locale;
}

}  // namespace

std::size_t ScanNumber(std::string_view text, std::size_t& start) {
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  start = at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const std::size_t int_begin = at;
  at = SkipDigits(text, at);
  std::size_t mantissa_digits = at - int_begin;
  if (at < text.size() && text[at] == '.') {
    const std::size_t frac_begin = at + 1;
    const std::size_t frac_end = SkipDigits(text, frac_begin);
    mantissa_digits += frac_end - frac_begin;
    at = frac_end;
  }
  if (mantissa_digits == 0) return 0;
  if (at < text.size() &&
      (text[at] == 'e' || text[at] == 'E' || text[at] == 'd' || text[at] == 'D')) {
    std::size_t exp = at + 1;
    if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
    const std::size_t exp_end = SkipDigits(text, exp);
    if (exp_end > exp) at = exp_end;  // an exponent needs a digit
  }
  return at - start;
}

double ConvertNumber(std::string_view number) {
  std::string spelled;
  if (number.find_first_of("dD") != std::string_view::npos) {
    spelled.assign(number);
    for (char& c : spelled) {
      if (c == 'd' || c == 'D') c = 'e';
    }
    number = spelled;
  }
  const std::string_view unsigned_part =
      (!number.empty() && number.front() == '+') ? number.substr(1) : number;
  double value = 0.0;
  const auto result =
      std::from_chars(unsigned_part.data(), unsigned_part.data() + unsigned_part.size(), value);
  if (result.ec == std::errc()) return value;
  // from_chars refuses magnitudes out of range; strtod reads them as
  // infinity or (underflow) zero, as the runtime always has.
  const std::string copy(number);
  return strtod_l(copy.c_str(), nullptr, CLocale());
}

double ParseField(std::string_view text) {
  text = text.substr(0, kFieldChars);
  std::size_t start = 0;
  const std::size_t length = ScanNumber(text, start);
  if (length == 0) return 0.0;
  return ConvertNumber(text.substr(start, length));
}

std::string FormatResult(double value) {
  if (std::isnan(value)) return "nan";
  // The widest "%f" text: sign, 309 integer digits, point, six decimals.
  std::array<char, 320> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 6);
  return std::string(buffer.data(), result.ptr);
}

ForwardResult ComputeForward(double x0, double y0, double azimuth, double distance) {
  const double alpha = PackedToDegrees(azimuth) * kDegToRad;
  const double x = std::cos(alpha) * distance + x0;
  const double y = std::sin(alpha) * distance + y0;
  return {x, y};
}

InverseResult ComputeInverse(double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  if (dx == 0.0 && dy == 0.0) return {true, 0.0, 0.0, 0.0};
  const double distance = std::sqrt(dy * dy + dx * dx);
  double theta = std::atan2(dy, dx) * kRadToDeg;
  if (theta < 0.0) theta = theta + 360.0;
  return {false, DegreesToPacked(theta), distance, theta};
}

double TurnedAngle(double pointDegrees, double backsightDegrees) {
  double angle = pointDegrees - backsightDegrees;
  if (angle < 0.0) angle = angle + 360.0;
  return DegreesToPacked(angle);
}

}  // namespace survey
