#pragma once

// The columns of an input as --columns names them, e.g. "name,code,y,x,h"
// for the point files that field and office software exports: which column
// holds which number of a row, the point's name, a code, a height, or
// nothing to read. Such a row is split at each comma, semicolon or tab, so
// that an empty code is an empty field, not a missing one.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace reading {

struct Column {
  enum class Role : unsigned char { kNumber, kName, kCode, kHeight, kIgnored };
  Role role;
  std::size_t number;  // kNumber: which of the row's numbers
};

// The longest list --columns accepts.
inline constexpr std::size_t kMaxColumns = 32;

// Reads the comma-separated roles of `list` into `columns`. A row's numbers
// are named by `numbers` ("X", "AZIMUTH"; the role is the name in lower
// case); every one needs a column. The roles name and "-" (ignored) are
// always known, code and h only in point files. Returns what is wrong with
// the list, "" when nothing is.
std::string ReadColumns(std::string_view list, std::span<const char* const> numbers, bool pointFile,
                        std::vector<Column>& columns);

// Splits a row into its fields: at each comma, semicolon or tab where the
// line holds one, else at each run of blanks; blanks around a field are
// not part of it. Stores the first fields.size() of them; returns how many
// there are. `separator` receives the character that ends the first field
// (a blank on a line without commas, semicolons or tabs).
std::size_t SplitColumns(std::string_view line, std::span<std::string_view> fields,
                         char& separator);

// Whether `test` holds for any field of the row, split as SplitColumns
// splits it.
bool AnyColumn(std::string_view line, bool (*test)(std::string_view field));

// How messages name column `position` (from 0): its number's name ("X"),
// NAME, CODE or H; an ignored column by its place in the list ("5").
std::string ColumnName(std::span<const Column> columns, std::size_t position,
                       std::span<const char* const> numbers);

}  // namespace reading
