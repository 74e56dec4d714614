#include "reader/road/curve_table.h"

#include <algorithm>
#include <array>

#include "core/alignment/chainage_text.h"
#include "reader/fields/number_text.h"
#include "reader/text/shown_text.h"

namespace reading {
namespace {

constexpr std::array<const char*, kCurveFieldCount> kCurveTitles = {
    "NAME", "X", "Y", "ALPHA", "R",  "LS1", "LS2", "T1", "T2",
    "L",    "E", "J", "JD",    "ZH", "HY",  "QZ",  "YH", "HZ"};
constexpr std::array<const char*, kMainPointFieldCount> kMainPointTitles = {"POINT", "K", "X", "Y",
                                                                            "AZIMUTH"};

// A signed angle: its sign in front of the magnitude, which rounds as any
// angle does.
void AppendSignedAngle(std::string& out, double packed, const RoadDecimals& decimals) {
  if (packed < 0.0) out += '-';
  AppendAngle(out, packed < 0.0 ? -packed : packed, decimals.angleFormat, decimals.angles);
}

}  // namespace

std::string ChainageText(double chainage, int decimals) {
  return survey::FormatChainage(chainage, std::min(decimals, 9));
}

std::span<const char* const> CurveFieldTitles() { return kCurveTitles; }

void AppendCurveField(const survey::CurveRow& row, CurveField field, const RoadDecimals& decimals,
                      std::string& out) {
  const auto length = [&](double metres) { AppendFixed(out, metres, decimals.lengths); };
  const auto chainage = [&](double metres) { out += ChainageText(metres, decimals.lengths); };
  switch (field) {
    case CurveField::kName:
      AppendShown(out, row.name);
      return;
    case CurveField::kX:
      return length(row.x);
    case CurveField::kY:
      return length(row.y);
    case CurveField::kAlpha:
      return AppendSignedAngle(out, row.deflection, decimals);
    case CurveField::kRadius:
      return length(row.radius);
    case CurveField::kSpiralIn:
      return length(row.spiralIn);
    case CurveField::kSpiralOut:
      return length(row.spiralOut);
    case CurveField::kTangentIn:
      return length(row.tangentIn);
    case CurveField::kTangentOut:
      return length(row.tangentOut);
    case CurveField::kLength:
      return length(row.length);
    case CurveField::kExternal:
      return length(row.external);
    case CurveField::kDifference:
      return length(row.difference);
    case CurveField::kJd:
      return chainage(row.chainage);
    case CurveField::kZh:
      return chainage(row.zh.chainage);
    case CurveField::kHy:
      return chainage(row.hy.chainage);
    case CurveField::kQz:
      return chainage(row.qz.chainage);
    case CurveField::kYh:
      return chainage(row.yh.chainage);
    case CurveField::kHz:
      return chainage(row.hz.chainage);
  }
}

void AppendEndField(std::string_view name, const survey::MainPoint& point, CurveField field,
                    const RoadDecimals& decimals, std::string& out) {
  switch (field) {
    case CurveField::kName:
      return AppendShown(out, name);
    case CurveField::kX:
      return AppendFixed(out, point.x, decimals.lengths);
    case CurveField::kY:
      return AppendFixed(out, point.y, decimals.lengths);
    case CurveField::kJd:
      out += ChainageText(point.chainage, decimals.lengths);
      return;
    default:
      return;
  }
}

std::span<const char* const> MainPointFieldTitles() { return kMainPointTitles; }

void AppendMainPointField(const survey::MainPoint& point, MainPointField field,
                          const RoadDecimals& decimals, std::string& out) {
  switch (field) {
    case MainPointField::kPoint:
      out += survey::MainPointCode(point.kind);
      return;
    case MainPointField::kChainage:
      out += ChainageText(point.chainage, decimals.lengths);
      return;
    case MainPointField::kX:
      return AppendFixed(out, point.x, decimals.lengths);
    case MainPointField::kY:
      return AppendFixed(out, point.y, decimals.lengths);
    case MainPointField::kAzimuth:
      return AppendAngle(out, point.azimuth, decimals.angleFormat, decimals.angles);
  }
}

void AppendCurveLine(const survey::CurveRow& row, const RoadDecimals& decimals, std::string& out) {
  AppendField(out, row.name, ',');
  for (std::size_t field = 1; field < kCurveFieldCount; ++field) {
    out += ',';
    AppendCurveField(row, static_cast<CurveField>(field), decimals, out);
  }
}

void AppendEndLine(std::string_view name, const survey::MainPoint& point,
                   const RoadDecimals& decimals, std::string& out) {
  AppendField(out, name, ',');
  for (std::size_t field = 1; field < kCurveFieldCount; ++field) {
    out += ',';
    AppendEndField(name, point, static_cast<CurveField>(field), decimals, out);
  }
}

void AppendMainPointLine(const survey::MainPoint& point, const RoadDecimals& decimals,
                         std::string& out) {
  for (std::size_t field = 0; field < kMainPointFieldCount; ++field) {
    if (field > 0) out += ',';
    AppendMainPointField(point, static_cast<MainPointField>(field), decimals, out);
  }
}

void AppendTitles(std::span<const char* const> titles, std::string& out) {
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (i > 0) out += ',';
    out += titles[i];
  }
}

void AppendRoadTable(const RoadDesign& design, const RoadDecimals& decimals, bool header,
                     std::string& out) {
  const bool curves = design.request.table == RoadRequest::Table::kIntersections;
  if (header) {
    AppendTitles(curves ? CurveFieldTitles() : MainPointFieldTitles(), out);
    out += '\n';
  }
  if (!curves) {
    for (const survey::MainPoint& point : design.alignment.mainPoints()) {
      AppendMainPointLine(point, decimals, out);
      out += '\n';
    }
    return;
  }
  const std::span<const survey::MainPoint> points = design.alignment.mainPoints();
  AppendEndLine(design.pointNames.front(), points.front(), decimals, out);
  out += '\n';
  for (const survey::CurveRow& row : design.curves) {
    AppendCurveLine(row, decimals, out);
    out += '\n';
  }
  AppendEndLine(design.pointNames.back(), points.back(), decimals, out);
  out += '\n';
}

}  // namespace reading
