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
};

// The longest list --columns accepts.
inline constexpr std::size_t kMaxColumns = 32;

// Reads the comma-separated roles of `list` into `columns`. A row's numbers
// are named by `numbers` ("X", "AZIMUTH"; the role is the name in lower
// case); every one needs a column. The roles name and "-" (ignored) are
// always known, code and h only in point files. Returns what is wrong with
// the list, "" when nothing is, led by the option that gave it.
std::string ReadColumns(std::string_view list, std::span<const char* const> numbers, bool pointFile,
                        std::vector<Column>& columns, std::string_view option = "--columns");

// The role that names the row's number `number` ("X" -> "x").
std::string RoleOf(std::string_view number);

// How messages name column `position` (from 0): its number's name ("X"),
// NAME, CODE or H; an ignored column by its place in the list ("5").
std::string ColumnName(std::span<const Column> columns, std::size_t position,
                       std::span<const char* const> numbers);

}  // namespace reading
