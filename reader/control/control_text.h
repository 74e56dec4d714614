#pragma once

// The texts of a traverse's and a levelling line's tables, cell by cell:
// the only place they are put together, so that a window's table and the
// tool's output agree to the character. A cell that does not apply (the
// last station's leg, an angle a station takes none of, an open
// traverse's closures) is "-".
//
// Traverse, one row per station, the office's columns:
//   NAME ANGLE V CORRECTED AZIMUTH DISTANCE DX DY VX VY X Y [MX MY MP]
// ANGLE as observed and CORRECTED packed DMS (or D°M′S″), V its correction
// in seconds (whole; to 0.1" in the rigorous table, its residual), AZIMUTH
// of the leg to the next station, DISTANCE horizontal, DX DY the leg's
// increments and VX VY their corrections in whole millimetres, X Y the
// adjusted point; the rigorous table adds the point's standard errors MX
// MY MP (mm, to 0.1). Metres to the millimetre.
//   CLOSURE F_BETA LIMIT FX FY F SUM_D K LIMIT_K [marks]
// F_BETA and its limit in seconds to 0.1, FX FY F SUM_D metres, K and its
// limit as 1/N; the marks OVER_ANGLE and OVER_RELATIVE where a closure
// exceeds its limit, UNCHECKED for an open traverse.
//
// Levelling, one row per point, the start first:
//   NAME LENGTH DH V CORRECTED H
// LENGTH in km to the metre (or stations, whole), DH and CORRECTED metres,
// V whole millimetres, H the adjusted height; the run back of an out and
// back line gives NAME LENGTH DH and "-" for the rest.
//   CLOSURE FH LIMIT [OVER_CLOSURE]       (millimetres, to 0.1)
//
// --points: the new points alone, NAME X Y (traverse; read back as
// setout's control file) or NAME H (levelling; read back as a levelling
// control file, level_heights.h).

#include <string>
#include <string_view>
#include <vector>

#include "core/control/level_line.h"
#include "core/control/traverse.h"
#include "core/control/traverse_rigorous.h"
#include "reader/fields/angle_text.h"

namespace reading {

// A line's cells, the first the name (or CLOSURE) as read, the rest
// numbers as written.
using Cells = std::vector<std::string>;

// How angles are written: packed DMS with 4 decimals (whole seconds) but
// where --angle-format and --azimuth-decimals say otherwise.
struct ControlFormat {
  AngleFormat angleFormat = AngleFormat::kPacked;
  int angleDecimals = 4;
};

// The cell that does not apply.
inline constexpr std::string_view kNoCell = "-";

// The columns' names, as a header row gives them.
std::vector<std::string_view> TraverseColumnNames(bool rigorous);
std::vector<std::string_view> LevelColumnNames();

// Station `row` of a table, named `name`; `errors` its standard errors in
// the rigorous table, nullptr in the compass rule's.
Cells TraverseCells(const survey::TraverseRow& row, std::string_view name,
                    const ControlFormat& format, const survey::RigorousPoint* errors);
Cells TraverseClosureCells(const survey::TraverseResult& table);

// The start's row of a levelling line, at `height`.
Cells LevelStartCells(std::string_view name, double height);
// A section's row of the run out (with its adjusted height), and one of
// the run back (observed only). `count`: how the lengths are counted.
Cells LevelCells(const survey::LevelRow& row, std::string_view name, survey::LevelCount count);
Cells LevelBackCells(const survey::LevelSection& section, std::string_view name,
                     survey::LevelCount count);
Cells LevelClosureCells(const survey::LevelResult& table);

// A new point for --points.
Cells TraversePointCells(std::string_view name, const survey::PlanePoint& point);
Cells LevelPointCells(std::string_view name, double height);

// Appends the line of `cells`, separated by `separator`, without line end:
// the first cell as a field (quoted where it would read back otherwise,
// AppendField), the rest as they are.
void AppendCells(const Cells& cells, char separator, std::string& out);

}  // namespace reading
