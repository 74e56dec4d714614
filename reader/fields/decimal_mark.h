#pragma once

// What a comma inside a number field is: the decimal mark (what a
// spreadsheet writes where the comma is a country's decimal mark, in
// semicolon and tab files or between quotes), or a thousands separator (a
// spreadsheet's grouping of a number kept as text: "498,350" between
// quotes). A comma that can group thousands (one to three digits, the first
// no 0, then groups of exactly three) and stands in a number with no point
// could be either; a file settles it: a number with a decimal point, or
// with a comma that cannot group, says which mark its numbers use. Where
// nothing settles it, the field is read neither way and the row says so.
//
//   "498301,214" "21,3" "0,500"   the decimal mark (it cannot group)
//   "1,234.5" "3,512,980"          thousands (no decimal mark can be so)
//   "498,350" "-21,300"            either: 498350 or 498.350

#include <array>
#include <string_view>

#include "core/field_text.h"

namespace reading {

// How a file's numbers write their decimal mark, as far as its rows (or
// --decimal-mark) settle it.
enum class DecimalMark : unsigned char {
  kUnknown,  // not settled
  kPoint,    // a point; commas group thousands
  kComma,    // a comma
};

// The commas of one field.
enum class Commas : unsigned char {
  kNone,      // no comma
  kDecimal,   // one comma, the decimal mark: it cannot group thousands
  kGrouping,  // commas that group thousands, which no decimal mark could
  kEither,    // one comma that may group thousands or be the decimal mark
  kOther,     // commas in a field that is no number either way
};

// How the commas of `field` read, for a field that is a number but for
// them (a sign, digits, at most one point, no exponent; else kOther where
// it holds a comma, kNone where not).
Commas FindCommas(std::string_view field);

// What a number field says of its file's decimal mark: kPoint where it is
// written with a decimal point (or groups thousands), kComma where with a
// comma that cannot group, kUnknown where it says nothing (no mark, or a
// comma that may be either). `isNumber`: whether the field is a number
// (asked only of a field with a point and no comma).
// Whether `field` holds a point before any exponent.
bool HasDecimalPoint(std::string_view field);

template <typename IsNumber>
DecimalMark MarkOf(std::string_view field, IsNumber isNumber) {
  switch (FindCommas(field)) {
    case Commas::kDecimal:
      return DecimalMark::kComma;
    case Commas::kGrouping:
      return DecimalMark::kPoint;
    case Commas::kNone:
      return HasDecimalPoint(field) && isNumber(field) ? DecimalMark::kPoint
                                                       : DecimalMark::kUnknown;
    case Commas::kEither:
    case Commas::kOther:
      break;
  }
  return DecimalMark::kUnknown;
}

// `field` spelled as a number with a decimal point and without grouping, in
// `buffer` where that changes it: a decimal comma becomes a point, the
// commas that group thousands go; a comma that may be either is read as
// `mark` says (kUnknown: as a decimal comma). Any other field as it is.
std::string_view WithDecimalPoint(std::string_view field,
                                  std::array<char, survey::kFieldChars>& buffer,
                                  DecimalMark mark = DecimalMark::kUnknown);

}  // namespace reading
