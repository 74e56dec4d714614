#pragma once

// What a line is before it is split into fields: blank, a comment, a
// spreadsheet's empty row, or a row. The text layer hands a comment that
// does not decode through as it is, a row it marks; the row reader copies
// both of the first through unread.

#include <string_view>

namespace reading {

// A blank in a row: a space or a tab.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A character that may separate the fields of a row: semicolon, tab, comma.
inline bool IsMark(char c) { return c == ';' || c == '\t' || c == ','; }

// The line without its "\r", if it has one.
inline std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Whether `field` is one of a spreadsheet's error values, which it writes
// where a formula fails: #N/A, #VALUE!, #REF!, #DIV/0!, #NUM!, #NAME?,
// #NULL!.
bool IsSpreadsheetError(std::string_view field);

// Whether `text` starts with such a value as a whole field (followed by
// nothing, a blank, a comma, a semicolon or a tab): a row, not a comment.
bool StartsWithSpreadsheetError(std::string_view text);

// Blank lines, a spreadsheet's empty rows and lines whose first non-blank
// character is "#" (but for a spreadsheet's error value), the line end
// taken off.
bool IsPassedThroughAll(std::string_view line);

// The same, the common row told by its first character: every line comes
// here.
inline bool IsPassedThrough(std::string_view line) {
  if (line.empty()) return true;
  const char c = line[0];
  return (IsBlank(c) || c == '#' || c == ',' || c == ';') && IsPassedThroughAll(line);
}

// Whether a line is copied through as a blank or comment line: blank, a
// spreadsheet's empty row (",,,,", ";;;;": separators and blanks only), or
// with "#" as its first character that is not a blank (but for a
// spreadsheet's error value as its first field: "#N/A,..." is a row).
// Lines of an input before its first row that are neither are read by the
// rules of leading_line.h.
bool IsBlankOrComment(std::string_view line);

}  // namespace reading
