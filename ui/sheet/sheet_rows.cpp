#include "ui/sheet/sheet_rows.h"

#include <algorithm>
#include <limits>

namespace {

// How many columns of a fixed-width font the UTF-8 text takes: a character
// of three or four bytes (Chinese, among others) two, any other one.
std::size_t columnsOf(std::string_view text) {
  std::size_t columns = 0;
  for (const unsigned char c : text) {
    if ((c & 0xC0) == 0x80) continue;  // a byte that goes on a character
    columns += c >= 0xE0 ? 2 : 1;
  }
  return columns;
}

}  // namespace

void SheetRows::Widest::add(std::string_view text, std::uint32_t row) {
  const std::size_t width = columnsOf(text);
  std::size_t at = count;
  if (count == kWidest) {
    at = static_cast<std::size_t>(std::min_element(widths.begin(), widths.end()) - widths.begin());
    if (widths[at] >= width) return;
  } else {
    ++count;
  }
  rows[at] = row;
  widths[at] = width;
}

void SheetRows::append(const Fields& fields, std::uint32_t line, const Point* point,
                       Layout layout, const reading::RowError* error) {
  Row row{m_text.size(),
          {},
          line,
          point != nullptr,
          layout.named,
          layout.separator,
          point ? point->x : 0.0,
          point ? point->y : 0.0};
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const std::size_t length =
        std::min<std::size_t>(fields[i].size(), std::numeric_limits<std::uint16_t>::max());
    row.length[i] = static_cast<std::uint16_t>(length);
    m_text.append(fields[i].substr(0, length));
  }
  const auto index = static_cast<std::uint32_t>(m_rows.size());
  if (row.length[kError] != 0) {
    ++m_failed;
    if (error) m_errors.emplace_back(index, *error);
  }
  m_widestNames.add(fields[kName], index);
  m_widestCodes.add(fields[kCode], index);
  m_rows.push_back(row);
}

void SheetRows::appendLines(std::string_view lines) {
  if (lines.empty()) return;
  if (!m_between.empty() && m_between.back().beforeRow == m_rows.size()) {
    m_lines.append(lines);
    m_between.back().end = m_lines.size();
    return;
  }
  m_between.push_back({m_rows.size(), m_lines.size(), m_lines.size() + lines.size()});
  m_lines.append(lines);
}

void SheetRows::markHeading(Layout layout, std::size_t comment) {
  const bool linesHere = !m_between.empty() && m_between.back().beforeRow == m_rows.size();
  const std::size_t at = linesHere ? m_between.back().end - m_between.back().start : 0;
  m_heading = Heading{m_rows.size(), at, layout, std::min(comment, at)};
}

const reading::RowError& SheetRows::error(std::size_t row) const {
  static const reading::RowError kNone;
  const auto found = std::lower_bound(
      m_errors.begin(), m_errors.end(), row,
      [](const std::pair<std::uint32_t, reading::RowError>& kept, std::size_t at) {
        return kept.first < at;
      });
  return found != m_errors.end() && found->first == row ? found->second : kNone;
}

std::string_view SheetRows::field(std::size_t row, Field which) const {
  const Row& entry = m_rows[row];
  std::size_t start = entry.start;
  for (int i = 0; i < which; ++i) start += entry.length[i];
  return std::string_view(m_text).substr(start, entry.length[which]);
}

std::string_view SheetRows::linesBefore(std::size_t row) const {
  const auto found = std::lower_bound(
      m_between.begin(), m_between.end(), row,
      [](const Lines& lines, std::size_t wanted) { return lines.beforeRow < wanted; });
  if (found == m_between.end() || found->beforeRow != row) return {};
  return std::string_view(m_lines).substr(found->start, found->end - found->start);
}
