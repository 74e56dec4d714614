#pragma once

// The lines an input may have before its first row, and how they are told
// from a row: a spreadsheet's title line (放样坐标 2026年12月), an
// instrument export's preamble (Job: ROAD1), the header (Name,Code,E,N,H).
// Such a line is copied through. A line is a row, never copied, where a
// field is a number, or a spreadsheet's error value (#N/A), or empty where
// a number belongs, or where its numbers are written in full-width digits
// or its fields parted by full-width commas, ideographic or no-break spaces
// (odd_characters.h). A line that holds no number but a field that looks
// like a mistyped one (digits with ASCII around them: 498301.2O,
// 12/03/2026) cannot be told from a mistyped row: it is a row, whose error
// tells how to copy such lines instead (--skip-lines N).

#include <cstdint>
#include <span>
#include <string_view>

#include "reader/text/line_kind.h"

namespace reading {

enum class LeadingLine : unsigned char {
  kHeading,       // copied through: a title, a preamble line, a header
  kRow,           // a row
  kUncertainRow,  // a row that may be a preamble line all the same
};

// Classifies a line before its input's first row, split into `fields` (all
// of them); `numberPlaces` has bit i set where field i holds a number of
// the row (a row's numbers by the column list, or without one by its count
// of fields).
LeadingLine ClassifyLeadingLine(std::string_view line, std::span<const std::string_view> fields,
                                std::uint64_t numberPlaces);

}  // namespace reading
