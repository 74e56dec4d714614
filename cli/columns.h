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

namespace calc {

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
std::string ReadColumns(std::string_view list,
                        std::span<const char* const> numbers, bool pointFile,
                        std::vector<Column>& columns);

// Reads the fields of a row in turn, split as SplitColumns splits them.
class ColumnSplitter {
 public:
  explicit ColumnSplitter(std::string_view line);

  // The next field into `field`; false after the last.
  bool Next(std::string_view& field);

  // The character that ended the first field: a comma, semicolon or tab,
  // or a blank (also where the first field is the only one).
  char separator() const { return separator_; }

 private:
  std::string_view line_;
  std::size_t at_ = 0;
  bool marked_;  // split at commas, semicolons and tabs, not blanks
  bool done_ = false;
  std::size_t count_ = 0;
  char separator_ = ' ';
};

// Splits a row into its fields: at each comma, semicolon or tab where the
// line holds one, else at each run of blanks; blanks around a field are
// not part of it. Stores the first fields.size() of them; returns how many
// there are. `separator` receives the character that ends the first field
// (a blank on a line without commas, semicolons or tabs).
std::size_t SplitColumns(std::string_view line,
                         std::span<std::string_view> fields, char& separator);

// How messages name column `position` (from 0): its number's name ("X"),
// NAME, CODE or H; an ignored column by its place in the list ("5").
std::string ColumnName(std::span<const Column> columns, std::size_t position,
                       std::span<const char* const> numbers);

}  // namespace calc
