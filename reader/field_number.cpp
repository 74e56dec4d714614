#include "reader/field_number.h"

#include <array>
#include <string>

#include "core/survey.h"
#include "reader/leading_line.h"
#include "reader/number_text.h"
#include "reader/packed_digits.h"
#include "reader/shown_text.h"

namespace reading {

using survey::IsDigit;

bool ReadNumberField(const char* name, bool isAzimuth, std::string_view text, double& value,
                     std::string& problem, DecimalMark mark) {
  if (ReadPlainNumberField(text, isAzimuth, value)) return true;
  auto fail = [&](std::string_view what, const char* hint = "") {
    problem = name;
    problem += what;
    AppendQuoted(problem, text);
    problem += hint;
    return false;
  };
  if (text.size() > survey::kFieldChars) {
    return fail(" is longer than " + std::to_string(survey::kFieldChars) + " characters: ");
  }
  std::array<char, survey::kFieldChars> buffer;
  const std::string_view number = WithDecimalPoint(text, buffer, mark);
  switch (ReadFieldNumber(number, value)) {
    case FieldNumber::kNotANumber:
      return fail(" is not a number: ",
                  IsSpreadsheetError(text) ? " (a spreadsheet's error value)" : "");
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
