#pragma once

// The tables a road design comes in, read from their files by the rules
// every coordinate file is read by: encodings (text_file.h), separators and
// quotes (field_splitter.h), numbers and decimal commas (field_number.h),
// blank and comment lines, and a header as the first row (IsHeaderRow). A
// row that does not read refuses the whole file, with an error that names
// its line and its point (FileError kRow: "road.csv:3: JD1: R is not a
// number: \"11O\"").
//
//   JD table (交点法)       NAME X Y [R [LS1 [LS2]]]    BP first, EP last
//   element table (线元法)  [NAME] X Y AZIMUTH CHAINAGE  the start, then
//                           [NAME] LENGTH R1 R2          an element a row
//   profile (竖曲线)        CHAINAGE HEIGHT [R]
//
// In a JD table R, LS1 and LS2 may be left out or empty (BP and EP have
// none; LS2 is LS1's where it is not given); a column list (name, x, y, r,
// ls1, ls2 and - for a column not read) names the columns of a table laid
// out otherwise, and then every row has one field a column. An element's
// radius is signed (+ turning right, - left); empty or 0 is infinite, as a
// straight's or a spiral's straight end. A profile point's R empty or 0 is
// no vertical curve. Chainages read as 1234.567 or K1+234.567; an azimuth
// is packed DMS.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/alignment/element_table.h"
#include "core/alignment/intersection_table.h"
#include "core/alignment/profile.h"
#include "reader/rows/columns.h"
#include "reader/text/text_file.h"

namespace reading {

struct IntersectionRows {
  std::vector<survey::IntersectionPoint> points;
  std::vector<std::size_t> lines;  // each point's line in the file, from 1
};

struct ElementRows {
  survey::ElementStart start{};
  std::size_t startLine = 0;
  std::vector<survey::ElementRow> rows;
  std::vector<std::string> names;  // each element's, "" where its row gives none
  std::vector<std::size_t> lines;
};

struct ProfileRows {
  std::vector<survey::GradePoint> points;
  std::vector<std::size_t> lines;
};

// The numbers of a JD table's row, as a column list names them: X, Y, R,
// LS1, LS2.
std::span<const char* const> IntersectionNumbers();

// Reads a JD table's column list. It must name a name, x and y; r, ls1 and
// ls2 may be left out. kNoColumnFor with role "name" where it names none.
ColumnsError ReadIntersectionColumns(std::string_view list, std::vector<Column>& columns);

// Each reads the whole file at `path` into `rows`; kNone, or why not.
// `columns`: the JD table's, or none for NAME X Y [R [LS1 [LS2]]].
// `encoding`: of a file without a byte-order mark (--encoding); none: as
// its first bytes that are not ASCII show (text_lines.h). A row that is no
// text in it is an error naming the encoding and --encoding.
FileError ReadIntersectionRows(const std::string& path, const std::vector<Column>& columns,
                               IntersectionRows& rows,
                               std::optional<TextEncoding> encoding = std::nullopt);
FileError ReadElementRows(const std::string& path, ElementRows& rows,
                          std::optional<TextEncoding> encoding = std::nullopt);
FileError ReadProfileRows(const std::string& path, ProfileRows& rows,
                          std::optional<TextEncoding> encoding = std::nullopt);

}  // namespace reading
