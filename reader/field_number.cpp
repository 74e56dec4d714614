#include "reader/field_number.h"

#include <array>

#include "core/survey.h"
#include "reader/number_text.h"
#include "reader/packed_digits.h"
#include "reader/shown_text.h"

namespace reading {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ReadNumberField(const char* name, bool isAzimuth, std::string_view text, double& value,
                     std::string& problem) {
  // The common field, plain decimals (with a decimal point or comma), is
  // always a number in range.
  if (!text.empty() && text.size() <= survey::kFieldChars &&
      ReadPlainDecimal(text, value, true) == text.size() &&
      (!isAzimuth || FindPlainAzimuthFault(text, value) == AzimuthFault::kNone)) {
    return true;
  }
  auto fail = [&](const char* what, const char* hint = "") {
    problem = name;
    problem += what;
    AppendQuoted(problem, text);
    problem += hint;
    return false;
  };
  if (text.size() > survey::kFieldChars) {
    return fail(" is longer than 35 characters: ");
  }
  std::array<char, survey::kFieldChars> buffer;
  const std::string_view number = WithDecimalPoint(text, buffer);
  switch (ReadFieldNumber(number, value)) {
    case FieldNumber::kNotANumber:
      return fail(" is not a number: ");
    case FieldNumber::kOutOfRange:
      return fail(" is out of range: ");
    case FieldNumber::kNumber:
      break;
  }
  if (isAzimuth) {
    switch (FindAzimuthFault(number, value)) {
      case AzimuthFault::kMinutes:
        return fail(" has minutes of 60 or more: ");
      case AzimuthFault::kSeconds:
        return fail(" has seconds of 60 or more: ");
      case AzimuthFault::kNegative:
        return fail(" is negative: ", " (add 360)");
      case AzimuthFault::kNone:
        break;
    }
  }
  return true;
}

bool IsNumberField(std::string_view field) {
  std::array<char, survey::kFieldChars> buffer;
  double ignored = 0.0;
  return field.size() <= survey::kFieldChars &&
         ReadWholeNumber(WithDecimalPoint(field, buffer), ignored);
}

bool StartsLikeNumber(std::string_view field) {
  std::size_t at = 0;
  if (at < field.size() && (field[at] == '+' || field[at] == '-')) ++at;
  if (at < field.size() && field[at] == '.') ++at;
  return at < field.size() && IsDigit(field[at]);
}

}  // namespace reading
