#include "reader/text/line_kind.h"

#include <algorithm>
#include <array>

#include "reader/text/text_lines.h"

namespace reading {
namespace {

constexpr std::array<std::string_view, 7> kSpreadsheetErrors = {
    "#N/A", "#VALUE!", "#REF!", "#DIV/0!", "#NUM!", "#NAME?", "#NULL!"};

}  // namespace

bool IsSpreadsheetError(std::string_view field) {
  return std::find(kSpreadsheetErrors.begin(), kSpreadsheetErrors.end(), field) !=
         kSpreadsheetErrors.end();
}

bool StartsWithSpreadsheetError(std::string_view text) {
  return std::any_of(kSpreadsheetErrors.begin(), kSpreadsheetErrors.end(),
                     [text](std::string_view error) {
                       return text.starts_with(error) &&
                              (text.size() == error.size() || IsBlank(text[error.size()]) ||
                               IsMark(text[error.size()]));
                     });
}

bool IsPassedThroughAll(std::string_view line) {
  std::size_t at = 0;
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at == line.size()) return true;
  if (line[at] == '#') return !StartsWithSpreadsheetError(line.substr(at));
  if (line[at] != ',' && line[at] != ';') return false;
  return line.find_first_not_of(" \t,;", at) == std::string_view::npos;
}

bool IsBlankOrComment(std::string_view line) {
  line = WithoutLineEnd(line);
  return line.size() <= kMaxLineChars && IsPassedThrough(line);
}

}  // namespace reading
