#pragma once

// The fields of one row, by the rules every coordinate file is read by:
//
// - A line is split at the first of these it holds outside quotes: a
//   semicolon, a tab, a comma. A line with a semicolon is split at its
//   semicolons only, one with a tab and no semicolon at its tabs only, else
//   at its commas. A line with none of them is split at runs of blanks.
// - Each semicolon, tab or comma ends a field: two in a row hold an empty
//   field, one at the end of the line an empty last field.
// - Blanks (and tabs, where the line is not split at them) around a field
//   are not part of it.
// - A field that starts with a double quote (RFC 4180) runs to the closing
//   quote; "" inside stands for one quote, and separators inside are part
//   of the field. Only blanks may follow the closing quote. A quote inside
//   a field that does not start with one is an ordinary character.
//
// What a field holds is the reader's business; so is a comma left inside a
// field (by a semicolon or tab line, or between quotes), which is a decimal
// comma where the field is a number that way (ReadFieldNumber).

#include <span>
#include <string>
#include <string_view>

#include "reader/text/line_kind.h"

namespace reading {

struct SplitLine {
  std::size_t count = 0;        // how many fields the line has
  char separator = ' ';         // ';', '\t', ',' or ' ' (runs of blanks)
  const char* fault = nullptr;  // what keeps the line from being split: a
                                // quote that is not closed, or text after one
  // Whether the line holds a quote: only a quoted field may hold a mark the
  // line is not split at (a semicolon in a line of commas).
  bool quoted = false;
};

// Splits `line` (without line end); stores the first fields.size() fields.
// A quoted field with "" in it is stored in `unquoted` (which must outlive
// the fields and is not to be changed while they are used).
SplitLine SplitFields(std::string_view line, std::span<std::string_view> fields,
                      std::string& unquoted);

}  // namespace reading
