#include "reader/fields/leading_line.h"

#include <algorithm>
#include <array>
#include <string>

#include "reader/fields/field_number.h"
#include "reader/fields/field_splitter.h"
#include "reader/fields/odd_characters.h"

namespace reading {
namespace {

// A field that looks like a number mistyped: it starts like one and holds
// nothing but printable ASCII (a letter O for a 0, a second point, a
// slash). A field that starts with digits and goes on in Chinese (2026年)
// is text.
bool LooksMistyped(std::string_view field) {
  return StartsLikeNumber(field) &&
         std::all_of(field.begin(), field.end(), [](char c) { return c >= ' ' && c < 0x7F; });
}

// Whether the line read with the ASCII twins of its odd characters holds a
// number: a row typed with a Chinese input method.
bool HoldsNumbersInOddCharacters(std::string_view line) {
  if (FindOddCharacter(line) == nullptr) return false;
  const std::string ascii = WithAsciiTwins(line);
  std::array<std::string_view, 64> fields;
  std::string unquoted;
  const SplitLine split = SplitFields(ascii, fields, unquoted);
  const std::size_t stored = std::min(split.count, fields.size());
  return std::any_of(fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(stored),
                     IsNumberField);
}

}  // namespace

LeadingLine ClassifyLeadingLine(std::string_view line, std::span<const std::string_view> fields,
                                std::uint64_t numberPlaces) {
  bool mistyped = false;
  bool emptyNumber = false;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string_view field = fields[i];
    if (IsNumberField(field) || IsSpreadsheetError(field)) return LeadingLine::kRow;
    mistyped = mistyped || LooksMistyped(field);
    emptyNumber = emptyNumber || (field.empty() && i < 64 && ((numberPlaces >> i) & 1) != 0);
  }
  if (HoldsNumbersInOddCharacters(line)) return LeadingLine::kRow;
  return mistyped || emptyNumber ? LeadingLine::kUncertainRow : LeadingLine::kHeading;
}

}  // namespace reading
