#pragma once

// The row reader's own pieces, shared by its two files (row_reader.cpp:
// lines and their answers; row_fields.cpp: a row's fields read into its
// numbers): a row as read, and how an answer is cleared, copied or made an
// error. No other caller.

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reader/fields/field_number.h"
#include "reader/rows/row_reader.h"
#include "reader/text/shown_text.h"

namespace reading {

// A row's point name, code, height and numbers as read from its fields:
// views of its line, or of the unquoted text of its fields.
struct RowReader::Row {
  std::string_view name;
  std::string_view code;
  std::string_view height;
  bool hasHeight = false;                 // `height` is not empty
  double heightValue = 0.0;               // what it reads as
  bool named = false;                     // the answer starts with the name
  bool quoted = true;                     // the texts may hold marks (AnswerTexts::mayHoldMarks)
  std::array<std::string_view, 2> known;  // intersect: the known points A and B
  std::array<double, 4> numbers{};
  RowPlace place;
  // The row's fields, for the mark its own numbers show (FindOwnMark).
  std::span<const std::string_view> fields;
  bool ownMarkFound = false;
  DecimalMark ownMark = DecimalMark::kUnknown;
  DecimalMark readMark = DecimalMark::kUnknown;  // how a comma that may be either read
  bool markFromFile = false;
};

namespace row_parts {

// A row split into more fields than any column list holds is refused by
// its count all the same.
inline constexpr std::size_t kMaxFields = kMaxColumns + 1;

// A name that would make its answer read like an error line.
inline constexpr std::string_view kReservedName = "point name starting \"ERROR:\" is reserved";

// Enough for a row without a column list (a name, four numbers and one
// more), and for short column lists.
inline constexpr std::size_t kFewFields = 8;

// Where the given role is among the columns; columns.size() when nowhere.
inline std::size_t FindColumn(const std::vector<Column>& columns, Column::Role role) {
  std::size_t at = 0;
  while (at < columns.size() && columns[at].role != role) ++at;
  return at;
}

inline void Clear(LineAnswer& answer) {
  answer.kind = LineAnswer::Kind::kAnswer;
  answer.separator = ' ';
  answer.named = false;
  answer.hasPoint = false;
  answer.point = {0.0, 0.0};
  answer.results = {};
  answer.readMark = DecimalMark::kUnknown;
  answer.ownMark = DecimalMark::kUnknown;
  answer.markFromFile = false;
  answer.mayBePreamble = false;
  answer.hasHeight = false;
  answer.hasSight = false;
  answer.text.clear();
  if (answer.error.kind != RowError::Kind::kNone) answer.error = RowError();
}

// The row's marks, into its answer.
inline void KeepMarks(const auto& row, LineAnswer& answer) {
  answer.readMark = row.readMark;
  answer.ownMark = row.ownMark;
  answer.markFromFile = row.markFromFile;
}

// A row error of `kind` in `field`, whose text is `text`.
inline RowError ErrorOf(RowError::Kind kind, std::string_view field = {},
                        std::string_view text = {}) {
  RowError error;
  error.kind = kind;
  error.field.assign(field);
  error.text.assign(text);
  return error;
}

// The error of a field whose text does not read as its number.
inline RowError FieldError(const char* field, bool isAzimuth, std::string_view text) {
  double value = 0.0;
  using Kind = RowError::Kind;
  Kind kind = Kind::kOther;
  switch (FindFieldFault(isAzimuth, text, value)) {
    case FieldFault::kTooLong: kind = Kind::kTooLong; break;
    case FieldFault::kNotANumber: kind = Kind::kNotANumber; break;
    case FieldFault::kSpreadsheetError: kind = Kind::kSpreadsheetError; break;
    case FieldFault::kOutOfRange: kind = Kind::kOutOfRange; break;
    case FieldFault::kMinutes: kind = Kind::kMinutes; break;
    case FieldFault::kSeconds: kind = Kind::kSeconds; break;
    case FieldFault::kNegative: kind = Kind::kNegative; break;
    case FieldFault::kNone: break;
  }
  return ErrorOf(kind, field, text);
}

// The error of a computation's fault ("point is on the station", "result
// AZIMUTH is out of range").
inline RowError ComputeError(std::string_view fault) {
  constexpr std::string_view kResult = "result ";
  constexpr std::string_view kOutOfRange = " is out of range";
  if (fault == "point is on the station") return ErrorOf(RowError::Kind::kOnStation);
  if (fault.starts_with(kResult) && fault.ends_with(kOutOfRange))
    return ErrorOf(RowError::Kind::kResultOutOfRange,
                   fault.substr(kResult.size(), fault.size() - kResult.size() - kOutOfRange.size()));
  return ErrorOf(RowError::Kind::kOther);
}

// Makes the answer an error that names the row's point, if it has a name,
// and says what is wrong (`error` as a value); returns false.
inline bool Fail(LineAnswer& answer, std::string_view point, std::string_view what,
          RowError error = ErrorOf(RowError::Kind::kOther)) {
  answer.kind = LineAnswer::Kind::kError;
  answer.error = std::move(error);
  answer.text.clear();
  if (!point.empty()) {
    AppendShown(answer.text, point);
    answer.text += ": ";
  }
  answer.text += what;
  return false;
}

inline void Copy(LineAnswer& answer, std::string_view line) {
  answer.kind = LineAnswer::Kind::kCopied;
  answer.text.assign(line);
}

// Whether a field after the first holds text that is no number.
inline bool HoldsWordAfterFirst(std::span<const std::string_view> fields) {
  return std::any_of(fields.begin() + std::min<std::size_t>(1, fields.size()), fields.end(),
                     [](std::string_view field) {
                       return !field.empty() && !IsNumberField(field) && !StartsLikeNumber(field);
                     });
}

}  // namespace row_parts
}  // namespace reading
