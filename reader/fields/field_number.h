#pragma once

// The number a row's field holds, read strictly: the whole field one number
// (a decimal point, or a decimal comma where the field holds one comma and
// no point), in range, and for an azimuth a valid packed angle; else the
// message that says what is wrong with which field.

#include <string>
#include <string_view>

#include "core/field_text.h"
#include "reader/fields/number_text.h"
#include "reader/fields/packed_digits.h"

namespace reading {

// Reads the common field, plain decimals with a decimal point or comma (and,
// `isAzimuth`, a valid packed azimuth), into `value`, and says which mark
// it has; false for any other, which ReadNumberField reads. A comma that
// may group thousands (kEither) is read as the decimal mark: the caller
// reads it again where its row says it groups. Inline: every number of a
// row comes here.
inline bool ReadPlainNumberField(std::string_view text, bool isAzimuth, double& value,
                                 PlainMark& mark) {
  // Always a number in range.
  return !text.empty() && text.size() <= survey::kFieldChars &&
         ReadPlainCommaDecimal(text, value, mark) == text.size() &&
         (!isAzimuth || FindPlainAzimuthFault(text, value) == AzimuthFault::kNone);
}

// The same without the mark: a comma that may group thousands is no plain
// decimal here.
inline bool ReadPlainNumberField(std::string_view text, bool isAzimuth, double& value) {
  PlainMark mark = PlainMark::kNone;
  return ReadPlainNumberField(text, isAzimuth, value, mark) && mark != PlainMark::kEither;
}

// What keeps a field's `text` from reading as ReadNumberField reads it, or
// kNone (`value` is then the number).
enum class FieldFault {
  kNone,
  kTooLong,           // longer than survey::kFieldChars
  kNotANumber,
  kSpreadsheetError,  // no number: a spreadsheet's error value ("#N/A")
  kOutOfRange,
  kMinutes,  // an azimuth's minutes digits of 60 or more
  kSeconds,  // its seconds digits of 60 or more
  kNegative,  // an azimuth below 0
};
FieldFault FindFieldFault(bool isAzimuth, std::string_view text, double& value,
                          DecimalMark mark = DecimalMark::kUnknown);

// Reads field `name`'s `text` into `value`; false, with `problem` set
// ("AZIMUTH has minutes of 60 or more: \"45.6\""), where it is no such
// number. `isAzimuth`: a packed azimuth, whose minutes and seconds digits
// must be below 60 and which must not be negative.
// A comma that may group thousands or be the decimal mark reads as `mark`
// says (decimal_mark.h); a spreadsheet's error value is named as such.
bool ReadNumberField(const char* name, bool isAzimuth, std::string_view text, double& value,
                     std::string& problem, DecimalMark mark = DecimalMark::kUnknown);

// A packed azimuth typed on its own (an option's value, a window's field):
// the whole text one number with a decimal point, from 0 to 360, its
// minutes and seconds digits below 60.
enum class TypedAzimuth : unsigned char {
  kAzimuth,
  kNotANumber,
  kMinutes,   // minutes digits of 60 or more
  kSeconds,   // seconds digits of 60 or more
  kNegative,  // below 0 (-0.0001 is no -1")
  kOver360,
};
TypedAzimuth ReadTypedAzimuth(std::string_view text, double& packed);

// Whether `field` is wholly a number as ReadNumberField reads it (in range
// or not).
bool IsNumberField(std::string_view field);

// Whether `field` starts like a number: a digit, or a sign or point before
// one ("498301.2O", "3512930,5", "-.5x"). A header has no such field.
bool StartsLikeNumber(std::string_view field);

}  // namespace reading
