#pragma once

// The columns of an input as a column list (--columns) names them, e.g.
// "name,code,y,x,h" for the point files that field and office software
// exports: which column holds which number of a row, the point's name, a
// code, a height, or nothing to read.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace reading {

struct Column {
  enum class Role : unsigned char { kNumber, kName, kCode, kHeight, kIgnored };
  Role role;
  std::size_t number;  // kNumber: which of the row's numbers

  bool operator==(const Column&) const = default;
};

// The longest list --columns accepts.
inline constexpr std::size_t kMaxColumns = 32;

// What is wrong with a column list, as data: each caller words it (the
// tool naming its option, the window in Chinese).
struct ColumnsError {
  enum class What : unsigned char {
    kNone,
    kUnknownRole,  // `role` is no role of the list's kind
    kRoleTwice,    // `role` is given twice
    kTooMany,      // more than kMaxColumns columns
    kNoColumnFor,  // the number of role `role` has no column
  };
  What what = What::kNone;
  std::string role;

  explicit operator bool() const { return what != What::kNone; }
  bool operator==(const ColumnsError&) const = default;
};

// Reads the comma-separated roles of `list` into `columns`; blanks around a
// role are not part of it ("name, x, y"). A row's numbers are named by
// `numbers` ("X", "AZIMUTH"; the role is the name in lower case); every one
// needs a column. The roles name and "-" (ignored) are always known, code
// and h only in point files (`pointFile`).
ColumnsError ReadColumns(std::string_view list, std::span<const char* const> numbers,
                         bool pointFile, std::vector<Column>& columns);

// The tool's words for `error` of a list read with `numbers` and
// `pointFile`, led by the option that gave the list: "--columns: unknown
// role \"z\"; the roles are name, code, x, y, h and -".
std::string ColumnsErrorText(const ColumnsError& error, std::span<const char* const> numbers,
                             bool pointFile, std::string_view option);

// The role that names the row's number `number` ("X" -> "x").
std::string RoleOf(std::string_view number);

// The list `columns` as --columns spells it: "name,code,y,x,h".
std::string ColumnsText(std::span<const Column> columns, std::span<const char* const> numbers);

// How messages name column `position` (from 0): its number's name ("X"),
// NAME, CODE or H; an ignored column by its place in the list ("5").
std::string ColumnName(std::span<const Column> columns, std::size_t position,
                       std::span<const char* const> numbers);

}  // namespace reading
