#pragma once

// A road design as corvane-calc and the program's 线路 window take it: its
// alignment, read from a JD table or an element table (road_tables.h), the
// curve table of a JD table, and a profile for the design heights where one
// is given. What keeps a design from being read or built is a value
// (RoadError) that each caller words in its own terms: the tool in English
// naming its options and the file's lines, the window in Chinese.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/alignment/alignment.h"
#include "core/alignment/intersection_table.h"
#include "core/alignment/profile.h"
#include "reader/rows/columns.h"
#include "reader/text/text_file.h"

namespace reading {

// Where a road design is read from: the files and how to read them.
struct RoadRequest {
  enum class Table : unsigned char { kIntersections, kElements };
  Table table = Table::kIntersections;
  std::string path;
  std::vector<Column> columns;  // a JD table's (ReadIntersectionColumns); empty: the plain rows
  double startChainage = 0.0;   // a JD table's BP, metres; an element table gives its own
  std::string profile;          // the profile's file; "" for none
  std::optional<TextEncoding> encoding;  // of the files (--encoding); none: as each shows

  bool operator==(const RoadRequest&) const = default;
};

struct RoadDesign {
  RoadRequest request;  // what it was read from
  survey::Alignment alignment;
  std::vector<survey::CurveRow> curves;   // a JD table's, one a JD; none for an element table
  std::vector<std::string> pointNames;    // a JD table's points, BP to EP
  std::vector<std::string> elementNames;  // an element table's, "" where a row gives none
  std::optional<survey::Profile> profile;
};

// What keeps a road design from being read or built.
struct RoadError {
  enum class What : unsigned char {
    kNone,
    kFile,     // a file cannot be read, or a row of it does not: `file`
    kDesign,   // the alignment cannot be built from its table: `fault`
    kProfile,  // the profile cannot be built: `fault`
  };
  What what = What::kNone;
  RoadRequest::Table table = RoadRequest::Table::kIntersections;  // of the design
  bool inProfile = false;  // the fault is the profile's (kProfile, or kFile of its file)
  FileError file;
  survey::AlignmentError fault{survey::AlignmentError::Kind::kTooFewPoints};
  std::string path;           // the file of the fault
  std::size_t line = 0;       // the line of the fault's row, from 1; 0 where none
  std::size_t otherLine = 0;  // the line of its other row

  explicit operator bool() const { return what != What::kNone; }
};

// Reads and builds the design `request` asks for into `design`; kNone, or
// what keeps it from being read (`design` is then of no use).
RoadError ReadRoad(const RoadRequest& request, RoadDesign& design);

}  // namespace reading
