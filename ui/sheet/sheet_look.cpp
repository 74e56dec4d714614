#include "ui/sheet/sheet_look.h"

#include <QMarginsF>
#include <QPageSize>
#include <array>

#include "ui/sheet/setout_sheet.h"

namespace {

constexpr std::array<SheetColumn, 6> kColumns = {{
    {"点名", SheetRows::kName, false},
    {"编码", SheetRows::kCode, false},
    {"方位角", SheetRows::kAzimuth, true},
    {"水平角", SheetRows::kAngle, true},
    {"距离", SheetRows::kDistance, true},
    {"设计高程", SheetRows::kHeight, true},
}};
static_assert(kColumns[kFirstNumberColumn].number && !kColumns[kFirstNumberColumn - 1].number);

QString pointText(const QString& role, const SheetPoint& point, int decimals) {
  return QStringLiteral("%1 %2  X %3  Y %4")
      .arg(role, point.name, QString::number(point.x, 'f', decimals),
           QString::number(point.y, 'f', decimals));
}

}  // namespace

std::span<const SheetColumn> SheetColumns() { return kColumns; }

QString CheckLineText(const SetoutSheet& sheet) {
  return sheet.checkDistance.isEmpty()
             ? QStringLiteral("检核：后视方位角 %1").arg(sheet.checkAzimuth)
             : QStringLiteral("检核：后视方位角 %1   距离 %2")
                   .arg(sheet.checkAzimuth, sheet.checkDistance);
}

QString SetupLineText(const SetoutSheet& sheet) {
  const int decimals = sheet.settings.decimals;
  const QString sight = sheet.backsightPoint
                            ? pointText(QStringLiteral("后视"), *sheet.backsightPoint, decimals)
                            : QStringLiteral("后视方位角 %1").arg(sheet.checkAzimuth);
  return pointText(QStringLiteral("测站"), sheet.station, decimals) + QStringLiteral("    ") +
         sight;
}

QColor ErrorColour() { return QColor(200, 0, 0); }

QPageLayout SheetPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}
