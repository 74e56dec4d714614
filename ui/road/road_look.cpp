#include "ui/road/road_look.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageSize>
#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace {

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

QString TurnText(double packed, const reading::RoadDecimals& decimals) {
  std::string magnitude;
  reading::AppendAngle(magnitude, std::fabs(packed), reading::AngleFormat::kDms,
                       std::max(decimals.angles, reading::kDmsLeastDecimals));
  return (packed < 0.0 ? QStringLiteral("左 ") : QStringLiteral("右 ")) + text(magnitude);
}

TextTable CurveTable(const RoadShown& road) {
  TextTable table;
  table.titles = {QStringLiteral("交点"),         QStringLiteral("X（北）"),
                  QStringLiteral("Y（东）"),      QStringLiteral("转角 α"),
                  QStringLiteral("半径 R"),       QStringLiteral("缓和曲线 Ls1"),
                  QStringLiteral("缓和曲线 Ls2"), QStringLiteral("切线长 T1"),
                  QStringLiteral("切线长 T2"),    QStringLiteral("曲线长 L"),
                  QStringLiteral("外距 E"),       QStringLiteral("切曲差 J"),
                  QStringLiteral("交点桩号"),     QStringLiteral("ZH"),
                  QStringLiteral("HY"),           QStringLiteral("QZ"),
                  QStringLiteral("YH"),           QStringLiteral("HZ")};
  const reading::RoadDesign& design = *road.design;
  if (design.curves.empty()) return table;
  const auto endRow = [&](const std::string& name, const survey::MainPoint& point) {
    QStringList cells;
    for (std::size_t field = 0; field < reading::kCurveFieldCount; ++field) {
      std::string cell;
      reading::AppendEndField(name, point, static_cast<reading::CurveField>(field), road.decimals,
                              cell);
      cells << text(cell);
    }
    return cells;
  };
  const std::span<const survey::MainPoint> points = design.alignment.mainPoints();
  table.rows.push_back(endRow(design.pointNames.front(), points.front()));
  for (const survey::CurveRow& curve : design.curves) {
    QStringList cells;
    for (std::size_t field = 0; field < reading::kCurveFieldCount; ++field) {
      const auto which = static_cast<reading::CurveField>(field);
      if (which == reading::CurveField::kAlpha) {
        cells << TurnText(curve.deflection, road.decimals);
        continue;
      }
      std::string cell;
      reading::AppendCurveField(curve, which, road.decimals, cell);
      cells << text(cell);
    }
    table.rows.push_back(cells);
  }
  table.rows.push_back(endRow(design.pointNames.back(), points.back()));
  return table;
}

TextTable MainPointTable(const RoadShown& road) {
  TextTable table;
  table.titles = {QStringLiteral("主点"), QStringLiteral("桩号"), QStringLiteral("X（北）"),
                  QStringLiteral("Y（东）"), QStringLiteral("方位角")};
  for (const survey::MainPoint& point : road.design->alignment.mainPoints()) {
    QStringList cells;
    for (std::size_t field = 0; field < reading::kMainPointFieldCount; ++field) {
      std::string cell;
      reading::AppendMainPointField(point, static_cast<reading::MainPointField>(field),
                                    road.decimals, cell);
      cells << text(cell);
    }
    table.rows.push_back(cells);
  }
  return table;
}

QStringList StakeTitles() {
  return {QStringLiteral("桩名"),    QStringLiteral("桩号"),    QStringLiteral("偏距"),
          QStringLiteral("X（北）"), QStringLiteral("Y（东）"), QStringLiteral("方位角"),
          QStringLiteral("设计高程")};
}

QString StakeText(const reading::Stake& stake, reading::StakeField field,
                  const reading::RoadDecimals& decimals) {
  std::string cell;
  reading::AppendStakeField(stake, field, decimals, cell);
  return text(cell);
}

QString RoadSummary(const RoadShown& road) {
  const reading::RoadDesign& design = *road.design;
  const survey::Alignment& alignment = design.alignment;
  const QString file = QFileInfo(text(design.request.path)).fileName();
  const bool jd = design.request.table == reading::RoadRequest::Table::kIntersections;
  const QString count = jd ? QStringLiteral("%1 个交点").arg(design.curves.size())
                           : QStringLiteral("%1 个线元").arg(alignment.elements().size());
  QString summary = QStringLiteral("%1 %2：%3，%4 至 %5，全长 %6 m")
                        .arg(jd ? QStringLiteral("交点表") : QStringLiteral("线元表"), file, count,
                             text(reading::ChainageText(alignment.startChainage(), 3)),
                             text(reading::ChainageText(alignment.endChainage(), 3)))
                        .arg(alignment.endChainage() - alignment.startChainage(), 0, 'f', 3);
  if (design.profile)
    summary +=
        QStringLiteral("；纵断面 %1").arg(QFileInfo(text(design.request.profile)).fileName());
  return summary;
}

QPageLayout RoadPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                     QPageLayout::Millimeter);
}
