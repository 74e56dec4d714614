#pragma once

// What is wrong with a row that gives no answer, as a value: its kind, the
// field it is in and the text read there. The tool writes the row's error
// in English (LineAnswer::text); a window words the same value in its own
// language, one place for each kind, whatever the English says.

#include <cstdint>
#include <optional>
#include <string>

#include "core/transform/transform_error.h"
#include "reader/text/text_encoding.h"

namespace reading {

struct RowError {
  enum class Kind : unsigned char {
    kNone,              // the row is answered
    kOther,             // worded by the English text alone
    kNotANumber,        // `field`'s `text` is no number
    kSpreadsheetError,  // `field`'s `text` is a spreadsheet's error value (#N/A)
    kOutOfRange,        // `field`'s `text` is a number out of range
    kTooLong,           // `field`'s `text` is longer than a number can be
    kMinutes,           // the azimuth `field`'s `text` has minutes of 60 or more
    kSeconds,           // ... seconds of 60 or more
    kNegative,          // ... is below 0
    kEitherMark,        // `field`'s `text` has a comma that may group or be the mark
    kMissingField,      // `field` is missing
    kExtraField,        // a field too many: `text`
    kOnStation,         // the point is on the station
    kResultOutOfRange,  // the result `field` is out of range
    kSwappedAxes,       // the point lies far off as read, near as X and Y swapped
    kUndecoded,         // the line is no text in `encoding` (or reads as `other` too)
    kLineTooLong,       // the line is longer than a line can be
    kReservedName,      // the name starts "ERROR:"
    kQuoteNotClosed,    // a quoted field is not closed
    kTextAfterQuote,    // text follows the closing quote of a field
    kTransform,         // the transformation gives no answer: `transformProblem`, `transformValue`
  };
  Kind kind = Kind::kNone;
  std::string field;  // as the English names it: "X", "Y", "H", "AZIMUTH", "NAME"
  std::string text;   // the field's text as read
  // kUndecoded: the input's encoding, and the other one the line reads in.
  TextEncoding encoding = TextEncoding::kUtf8;
  std::optional<TextEncoding> other;
  // The line holds a character that looks like ASCII (a full-width comma,
  // U+FF0C): its code, 0 for none, and the character as it stands.
  char32_t oddCode = 0;
  std::string oddText;
  // kTransform: why, as core/transform/transform_error.h says it (the
  // value 0 where it has none).
  survey::TransformProblem transformProblem = survey::TransformProblem::kNotANumber;
  double transformValue = 0.0;
  // The row may be a title or a preamble line (LineAnswer::mayBePreamble).
  bool mayBePreamble = false;

  bool operator==(const RowError&) const = default;
};

}  // namespace reading
