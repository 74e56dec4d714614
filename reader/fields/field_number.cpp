#include "reader/fields/field_number.h"

#include <array>
#include <string>

#include "core/field_text.h"
#include "reader/fields/leading_line.h"
#include "reader/fields/number_text.h"
#include "reader/fields/packed_digits.h"
#include "reader/text/shown_text.h"

namespace reading {

using survey::IsDigit;

FieldFault FindFieldFault(bool isAzimuth, std::string_view text, double& value,
                          DecimalMark mark) {
  if (ReadPlainNumberField(text, isAzimuth, value)) return FieldFault::kNone;
  if (text.size() > survey::kFieldChars) return FieldFault::kTooLong;
  std::array<char, survey::kFieldChars> buffer;
  const std::string_view number = WithDecimalPoint(text, buffer, mark);
  switch (ReadFieldNumber(number, value)) {
    case FieldNumber::kNotANumber:
      return IsSpreadsheetError(text) ? FieldFault::kSpreadsheetError : FieldFault::kNotANumber;
    case FieldNumber::kOutOfRange:
      return FieldFault::kOutOfRange;
    case FieldNumber::kNumber:
      break;
  }
  if (isAzimuth) {
    switch (FindAzimuthFault(number, value)) {
      case AzimuthFault::kMinutes:
        return FieldFault::kMinutes;
      case AzimuthFault::kSeconds:
        return FieldFault::kSeconds;
      case AzimuthFault::kNegative:
        return FieldFault::kNegative;
      case AzimuthFault::kNone:
        break;
    }
  }
  return FieldFault::kNone;
}

bool ReadNumberField(const char* name, bool isAzimuth, std::string_view text, double& value,
                     std::string& problem, DecimalMark mark) {
  const FieldFault fault = FindFieldFault(isAzimuth, text, value, mark);
  if (fault == FieldFault::kNone) return true;
  auto fail = [&](std::string_view what, const char* hint = "") {
    problem = name;
    problem += what;
    AppendQuoted(problem, text);
    problem += hint;
    return false;
  };
  switch (fault) {
    case FieldFault::kTooLong:
      return fail(" is longer than " + std::to_string(survey::kFieldChars) + " characters: ");
    case FieldFault::kNotANumber:
      return fail(" is not a number: ");
    case FieldFault::kSpreadsheetError:
      return fail(" is not a number: ", " (a spreadsheet's error value)");
    case FieldFault::kOutOfRange:
      return fail(" is out of range: ");
    case FieldFault::kMinutes:
      return fail(" has minutes of 60 or more: ");
    case FieldFault::kSeconds:
      return fail(" has seconds of 60 or more: ");
    case FieldFault::kNegative:
      return fail(" is negative: ", " (add 360)");
    case FieldFault::kNone:
      break;
  }
  return true;
}

TypedAzimuth ReadTypedAzimuth(std::string_view text, double& packed) {
  if (ReadFieldNumber(text, packed) != FieldNumber::kNumber) return TypedAzimuth::kNotANumber;
  switch (FindAzimuthFault(text, packed)) {
    case AzimuthFault::kMinutes:
      return TypedAzimuth::kMinutes;
    case AzimuthFault::kSeconds:
      return TypedAzimuth::kSeconds;
    case AzimuthFault::kNegative:
      return TypedAzimuth::kNegative;
    case AzimuthFault::kNone:
      break;
  }
  return packed > 360.0 ? TypedAzimuth::kOver360 : TypedAzimuth::kAzimuth;
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
