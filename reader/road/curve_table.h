#pragma once

// The tables `corvane-calc alignment` writes and the 线路 window shows,
// their texts in one place so that both agree to the character:
//
//   the curve table (曲线要素表) of a JD table, a first row for the start
//   point, one row a JD and a last row for the end point:
//   NAME X Y ALPHA R LS1 LS2 T1 T2 L E J JD ZH HY QZ YH HZ;
//   the main points of an element table: POINT K X Y AZIMUTH.
//
// Lengths and coordinates have the answers' decimals; ALPHA (+ right,
// - left) and azimuths the angles' decimals and format (angle_text.h); chainages are written
// as crews read them, K0+106.340 (FormatChainage, at most 9 decimals).
// Every curve has its start under ZH and its end under HZ: without an entry
// spiral ZH and HY are the same point, the curve's start ZY, and both
// columns hold it; without an exit spiral YH and HZ hold its end YZ. The
// rows of the start and the end point hold their name, X, Y and, under JD,
// their chainage; their other fields are empty.

#include <cstddef>
#include <span>
#include <string>

#include "core/alignment/alignment.h"
#include "core/alignment/intersection_table.h"
#include "reader/fields/angle_text.h"
#include "reader/road/road_design.h"

namespace reading {

// How the tables write numbers.
struct RoadDecimals {
  int lengths = 6;  // 0 to 20
  int angles = 6;   // 0 to 20; 4 and more for D°M′S″
  AngleFormat angleFormat = AngleFormat::kPacked;
};

enum class CurveField : unsigned char {
  kName,
  kX,
  kY,
  kAlpha,
  kRadius,
  kSpiralIn,
  kSpiralOut,
  kTangentIn,
  kTangentOut,
  kLength,
  kExternal,
  kDifference,
  kJd,
  kZh,
  kHy,
  kQz,
  kYh,
  kHz,
};
inline constexpr std::size_t kCurveFieldCount = 18;

// "NAME", "X", "Y", "ALPHA", ... "HZ", in the order of CurveField.
std::span<const char* const> CurveFieldTitles();

// Appends the text of `field` of the curve `row`.
void AppendCurveField(const survey::CurveRow& row, CurveField field, const RoadDecimals& decimals,
                      std::string& out);

// The same of the row of the start or the end point (`name` at `point`).
void AppendEndField(std::string_view name, const survey::MainPoint& point, CurveField field,
                    const RoadDecimals& decimals, std::string& out);

enum class MainPointField : unsigned char { kPoint, kChainage, kX, kY, kAzimuth };
inline constexpr std::size_t kMainPointFieldCount = 5;

// "POINT", "K", "X", "Y", "AZIMUTH".
std::span<const char* const> MainPointFieldTitles();

// Appends the text of `field` of the main point `point` (POINT is its code).
void AppendMainPointField(const survey::MainPoint& point, MainPointField field,
                          const RoadDecimals& decimals, std::string& out);

// The rows as corvane-calc writes them, comma-separated, names quoted where
// a spreadsheet would read them otherwise (AppendField), without line end;
// and their header rows.
void AppendCurveLine(const survey::CurveRow& row, const RoadDecimals& decimals, std::string& out);
void AppendEndLine(std::string_view name, const survey::MainPoint& point,
                   const RoadDecimals& decimals, std::string& out);
void AppendMainPointLine(const survey::MainPoint& point, const RoadDecimals& decimals,
                         std::string& out);
void AppendTitles(std::span<const char* const> titles, std::string& out);

// The whole table of `design`, each line ending in "\n": a JD table's curve
// table (its start point first, its end point last), an element table's
// main points; with
// `header` the header row first.
void AppendRoadTable(const RoadDesign& design, const RoadDecimals& decimals, bool header,
                     std::string& out);

// The chainage as a crew reads it, with `decimals` (at most 9).
std::string ChainageText(double chainage, int decimals);

}  // namespace reading
