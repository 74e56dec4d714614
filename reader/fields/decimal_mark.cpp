#include "reader/fields/decimal_mark.h"

#include <algorithm>
#include <cstring>

namespace reading {
namespace {

using survey::IsDigit;

bool IsExponent(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Past the digits from `at`.
std::size_t Digits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// Whether text[at..) is ",ddd" groups up to `end`, at least one.
bool AreGroups(std::string_view text, std::size_t at, std::size_t end) {
  if (at == end) return false;
  for (; at < end; at += 4) {
    if (end - at < 4 || text[at] != ',' || Digits(text, at + 1) != at + 4) return false;
  }
  return true;
}

}  // namespace

Commas FindCommas(std::string_view field) {
  const std::size_t comma = field.find(',');
  if (comma == std::string_view::npos) return Commas::kNone;
  std::size_t at = field.starts_with('-') || field.starts_with('+') ? 1 : 0;
  const std::size_t whole = at;
  at = Digits(field, at);
  if (at != comma) return Commas::kOther;  // something else before the first comma
  const std::size_t wholeDigits = comma - whole;
  // One comma and digits after it, maybe an exponent: a decimal comma, or
  // either where it can group.
  const std::size_t fraction = Digits(field, comma + 1);
  if (fraction == field.size() || IsExponent(field[fraction])) {
    if (fraction < field.size()) {
      std::size_t exponent = fraction + 1;
      if (exponent < field.size() && (field[exponent] == '-' || field[exponent] == '+')) {
        ++exponent;
      }
      if (exponent == field.size() || Digits(field, exponent) != field.size()) {
        return Commas::kOther;
      }
    }
    if (wholeDigits == 0 && fraction == comma + 1) return Commas::kOther;
    const bool canGroup = wholeDigits >= 1 && wholeDigits <= 3 && field[whole] != '0' &&
                          fraction - comma == 4 && fraction == field.size();
    return canGroup ? Commas::kEither : Commas::kDecimal;
  }
  // Groups of three after one to three digits, then a decimal point or the
  // end: thousands.
  const std::size_t point = std::min(field.find('.'), field.size());
  const bool grouped =
      wholeDigits >= 1 && wholeDigits <= 3 && field[whole] != '0' && AreGroups(field, comma, point);
  const bool tail = point == field.size() ||
                    (point + 1 < field.size() && Digits(field, point + 1) == field.size()) ||
                    point + 1 == field.size();
  return grouped && tail ? Commas::kGrouping : Commas::kOther;
}

bool HasDecimalPoint(std::string_view field) {
  const auto exponent = std::find_if(field.begin(), field.end(), IsExponent);
  return std::find(field.begin(), exponent, '.') != exponent;
}

std::string_view WithDecimalPoint(std::string_view field,
                                  std::array<char, survey::kFieldChars>& buffer, DecimalMark mark) {
  const std::size_t comma = field.find(',');
  if (field.size() > buffer.size() || comma == std::string_view::npos) return field;
  if (mark != DecimalMark::kPoint &&
      field.find_first_of(",.", comma + 1) == std::string_view::npos &&
      field.substr(0, comma).find('.') == std::string_view::npos) {
    // One comma, no point, read as the decimal mark (the common decimal
    // comma: 3% of corvane-calc's instructions on a spreadsheet's sheet).
    std::memcpy(buffer.data(), field.data(), field.size());
    buffer[comma] = '.';
    return std::string_view(buffer.data(), field.size());
  }
  const Commas commas = FindCommas(field);
  const bool group =
      commas == Commas::kGrouping || (commas == Commas::kEither && mark == DecimalMark::kPoint);
  if (group) {
    const auto end = std::remove_copy(field.begin(), field.end(), buffer.begin(), ',');
    return std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin()));
  }
  if (commas != Commas::kDecimal && commas != Commas::kEither) return field;
  std::memcpy(buffer.data(), field.data(), field.size());
  buffer[field.find(',')] = '.';
  return std::string_view(buffer.data(), field.size());
}

}  // namespace reading
