#pragma once

// The rows of a setting-out sheet, kept compactly: a million design points
// fit in a few tens of megabytes. Each row is one answered or failed line of
// the input, with its texts as the reader gives them and, where the line
// held one, the design point's coordinates for the sketch. The input's other
// lines (comments, a header's place, the --header comment line) are kept as
// the tool writes them, in their places between the rows, with the place
// of the heading row that names the columns, so that the sheet can be
// written out again as the tool writes it, its headings the sheet's own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reader/rows/row_error.h"

class SheetRows {
 public:
  // A row's texts. kHeightDifference, kZenith and kSlope are the sight to
  // the target at the design height, empty where the sheet has no heights
  // or the row no design height. kError is the whole "ERROR: ..." text of a
  // failed row, empty for an answered one.
  enum Field {
    kName,
    kCode,
    kAzimuth,
    kAngle,
    kDistance,
    kHeight,
    kHeightDifference,
    kZenith,
    kSlope,
    kError,
    kFieldCount
  };
  using Fields = std::array<std::string_view, kFieldCount>;

  struct Point {
    double x;  // north, metres
    double y;  // east, metres
  };

  // How the row's answer line is written: the separator of its fields, and
  // whether it starts with the name column.
  struct Layout {
    char separator;
    bool named;
  };

  // Adds a row read from input line `line` (from 1). A failed row may still
  // have a point (one on the station has); `point` is null where it has none.
  // Texts longer than 65535 bytes are cut there (input lines are shorter).
  // A failed row keeps `error`, what is wrong as a value, where it is given.
  void append(const Fields& fields, std::uint32_t line, const Point* point, Layout layout,
              const reading::RowError* error = nullptr);

  // Adds output lines, each ending in "\n", that go before the next row
  // (after the last one, where no row follows).
  void appendLines(std::string_view lines);

  // Where the heading row goes: after the lines added so far before row
  // `beforeRow`, `at` bytes into linesBefore(beforeRow); written like a row
  // of `layout`.
  struct Heading {
    std::size_t beforeRow;
    std::size_t at;
    Layout layout;
    std::size_t comment = 0;  // bytes of the comment line that ends at `at`
  };
  // Marks the heading's place here, before the next row; the last
  // `comment` bytes of the lines before it are the --header comment line.
  void markHeading(Layout layout, std::size_t comment = 0);
  // Where the heading goes; none where the input has no first row.
  const std::optional<Heading>& heading() const { return m_heading; }

  std::size_t size() const { return m_rows.size(); }
  bool empty() const { return m_rows.empty(); }
  std::string_view field(std::size_t row, Field which) const;
  std::uint32_t line(std::size_t row) const { return m_rows[row].line; }
  bool failed(std::size_t row) const { return m_rows[row].length[kError] != 0; }
  bool hasPoint(std::size_t row) const { return m_rows[row].hasPoint; }
  Point point(std::size_t row) const { return {m_rows[row].x, m_rows[row].y}; }
  Layout layout(std::size_t row) const { return {m_rows[row].separator, m_rows[row].named}; }
  std::size_t failedCount() const { return m_failed; }
  // What is wrong with failed row `row`, as a value; kind kNone where the
  // row was added without one.
  const reading::RowError& error(std::size_t row) const;

  // The rows of the widest names (kName) or codes (kCode) by a count of
  // their characters, one that takes two columns (Chinese) counted twice:
  // at most kWidest rows, in no order, tracked as rows are added, so that a
  // view measures these instead of every row.
  static constexpr std::size_t kWidest = 8;
  std::span<const std::uint32_t> widest(Field field) const {
    const Widest& kept = field == kCode ? m_widestCodes : m_widestNames;
    return std::span<const std::uint32_t>(kept.rows.data(), kept.count);
  }

  // The lines that go before row `row` (0 to size()): "" where there are none.
  std::string_view linesBefore(std::size_t row) const;

 private:
  struct Row {
    std::size_t start;  // of the first text in m_text; the others follow it
    std::array<std::uint16_t, kFieldCount> length;
    std::uint32_t line;
    bool hasPoint;
    bool named;
    char separator;
    double x;
    double y;
  };

  struct Lines {
    std::size_t beforeRow;
    std::size_t start;  // in m_lines
    std::size_t end;
  };

  // The rows of the widest texts of one field so far.
  struct Widest {
    std::array<std::uint32_t, kWidest> rows{};
    std::array<std::size_t, kWidest> widths{};
    std::size_t count = 0;
    void add(std::string_view text, std::uint32_t row);
  };

  std::vector<Row> m_rows;
  Widest m_widestNames;
  Widest m_widestCodes;
  std::string m_text;
  std::vector<Lines> m_between;  // in row order
  std::string m_lines;
  std::size_t m_failed = 0;
  // The errors of failed rows, by row, in row order.
  std::vector<std::pair<std::uint32_t, reading::RowError>> m_errors;
  std::optional<Heading> m_heading;
};
