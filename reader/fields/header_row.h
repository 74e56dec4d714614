#pragma once

// Whether a first row is a header: the rule the row reader and the road's
// design tables (road_tables.h) read their first rows by.

#include <span>
#include <string_view>

namespace reading {

// How an error line starts.
inline constexpr std::string_view kErrorPrefix = "ERROR: ";

// Whether a field reads as a chainage, a plain number or as crews write it,
// K0+120 (a decimal comma too): a stake row, never a heading.
bool HoldsChainage(std::span<const std::string_view> fields);

// Whether an input's first row `line`, split into `fields`, is a header: none
// of its fields is a number or starts like one, nor a chainage written
// K0+120, and copying it would not give a line that reads as an error. The
// road's design tables are read by this rule (road_tables.h), and a stake
// row's first line is no header where it holds such a chainage.
bool IsHeaderRow(std::string_view line, std::span<const std::string_view> fields);

}  // namespace reading
