#include "reader/control/control_text.h"

#include <cmath>

#include "reader/fields/number_text.h"
#include "reader/text/shown_text.h"

namespace reading {
namespace {

constexpr int kMetreDecimals = 3;    // lengths, coordinates, heights: to the millimetre
constexpr int kClosureDecimals = 1;  // closures and limits in seconds or millimetres
constexpr int kErrorDecimals = 1;    // standard errors, mm
constexpr double kMmPerMetre = 1000.0;

// A value rounded to zero is written without a sign: a closure of
// -0.0004 m is "0.000", not "-0.000".
std::string Fixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string::npos)
    text.erase(0, 1);
  return text;
}

std::string Metres(double value) { return Fixed(value, kMetreDecimals); }

// Whole millimetres of a correction in metres.
std::string WholeMm(double metres) { return Fixed(std::round(metres * kMmPerMetre), 0); }

std::string Angle(double packed, const ControlFormat& format) {
  std::string text;
  AppendAngle(text, packed, format.angleFormat, format.angleDecimals);
  return text;
}

std::string OrNone(const std::optional<double>& packed, const ControlFormat& format) {
  return packed ? Angle(*packed, format) : std::string(kNoCell);
}

std::string Ratio(std::int64_t denominator) {
  return denominator == 0 ? std::string("0") : "1/" + std::to_string(denominator);
}

std::string Length(double length, survey::LevelCount count) {
  return Fixed(length, count == survey::LevelCount::kStations ? 0 : kMetreDecimals);
}

}  // namespace

std::vector<std::string_view> TraverseColumnNames(bool rigorous) {
  std::vector<std::string_view> names = {"NAME", "ANGLE", "V", "CORRECTED", "AZIMUTH", "DISTANCE",
                                         "DX",   "DY",    "VX", "VY",       "X",       "Y"};
  if (rigorous) names.insert(names.end(), {"MX", "MY", "MP"});
  return names;
}

std::vector<std::string_view> LevelColumnNames() {
  return {"NAME", "LENGTH", "DH", "V", "CORRECTED", "H"};
}

Cells TraverseCells(const survey::TraverseRow& row, std::string_view name,
                    const ControlFormat& format, const survey::RigorousPoint* errors) {
  Cells cells = {std::string(name), OrNone(row.angle, format)};
  if (row.correctedAngle) {
    // The compass rule's corrections are whole seconds; the rigorous
    // residuals are not.
    cells.push_back(errors ? Fixed(row.correctionSeconds, kClosureDecimals)
                           : Fixed(row.correctionSeconds, 0));
  } else {
    cells.emplace_back(kNoCell);
  }
  cells.push_back(OrNone(row.correctedAngle, format));
  if (row.leg) {
    const survey::TraverseLegRow& leg = *row.leg;
    cells.insert(cells.end(), {Angle(leg.azimuth, format), Metres(leg.distance), Metres(leg.dx),
                               Metres(leg.dy), WholeMm(leg.vx), WholeMm(leg.vy)});
  } else {
    cells.insert(cells.end(), 6, std::string(kNoCell));
  }
  cells.insert(cells.end(), {Metres(row.point.x), Metres(row.point.y)});
  if (errors) {
    for (const double mm : {errors->mxMm, errors->myMm, errors->mpMm})
      cells.push_back(Fixed(mm, kErrorDecimals));
  }
  return cells;
}

Cells TraverseClosureCells(const survey::TraverseResult& table) {
  Cells cells = {"CLOSURE"};
  if (table.angle) {
    cells.push_back(Fixed(table.angle->seconds, kClosureDecimals));
    cells.push_back(Fixed(table.angle->limit, kClosureDecimals));
  } else {
    cells.insert(cells.end(), 2, std::string(kNoCell));
  }
  if (const auto& closure = table.coordinates) {
    cells.insert(cells.end(), {Metres(closure->fx), Metres(closure->fy), Metres(closure->f),
                               Metres(table.sumD), Ratio(closure->denominator),
                               "1/" + Fixed(closure->limit, 0)});
  } else {
    cells.insert(cells.end(), 3, std::string(kNoCell));
    cells.push_back(Metres(table.sumD));
    cells.insert(cells.end(), 2, std::string(kNoCell));
  }
  if (table.angle && table.angle->over) cells.emplace_back("OVER_ANGLE");
  if (table.coordinates && table.coordinates->over) cells.emplace_back("OVER_RELATIVE");
  if (!table.checked()) cells.emplace_back("UNCHECKED");
  return cells;
}

Cells LevelStartCells(std::string_view name, double height) {
  Cells cells = {std::string(name)};
  cells.insert(cells.end(), 4, std::string(kNoCell));
  cells.push_back(Metres(height));
  return cells;
}

Cells LevelCells(const survey::LevelRow& row, std::string_view name, survey::LevelCount count) {
  return {std::string(name),     Length(row.length, count), Metres(row.dh),
          WholeMm(row.correction), Metres(row.correctedDh), Metres(row.height)};
}

Cells LevelBackCells(const survey::LevelSection& section, std::string_view name,
                     survey::LevelCount count) {
  Cells cells = {std::string(name), Length(section.length, count), Metres(section.dh)};
  cells.insert(cells.end(), 3, std::string(kNoCell));
  return cells;
}

Cells LevelClosureCells(const survey::LevelResult& table) {
  Cells cells = {"CLOSURE", Fixed(table.fhMm, kClosureDecimals),
                 Fixed(table.limitMm, kClosureDecimals)};
  if (table.over) cells.emplace_back("OVER_CLOSURE");
  return cells;
}

Cells TraversePointCells(std::string_view name, const survey::PlanePoint& point) {
  return {std::string(name), Metres(point.x), Metres(point.y)};
}

Cells LevelPointCells(std::string_view name, double height) {
  return {std::string(name), Metres(height)};
}

void AppendCells(const Cells& cells, char separator, std::string& out) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i == 0) {
      AppendField(out, cells[i], separator);
    } else {
      out += separator;
      out += cells[i];
    }
  }
}

}  // namespace reading
