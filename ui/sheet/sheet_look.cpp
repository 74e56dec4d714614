#include "ui/sheet/sheet_look.h"

#include <QLocale>
#include <QMarginsF>
#include <QPageSize>
#include <array>
#include <cmath>

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
  if (sheet.setup) return QStringLiteral("检核：") + SetupCheckText(*sheet.setup, sheet.limits);
  return sheet.checkDistance.isEmpty()
             ? QStringLiteral("检核：后视方位角 %1").arg(sheet.checkAzimuth)
             : QStringLiteral("检核：后视方位角 %1   距离 %2")
                   .arg(sheet.checkAzimuth, sheet.checkDistance);
}

QString SetupLineText(const SetoutSheet& sheet) {
  if (sheet.setup) return SetupStationText(*sheet.setup);
  const int decimals = sheet.settings.decimals;
  const QString sight = sheet.backsightPoint
                            ? pointText(QStringLiteral("后视"), *sheet.backsightPoint, decimals)
                            : QStringLiteral("后视方位角 %1").arg(sheet.checkAzimuth);
  return pointText(QStringLiteral("测站"), sheet.station, decimals) + QStringLiteral("    ") +
         sight;
}

QString SetupStationText(const reading::SheetSetup& setup) {
  QString head =
      setup.answer.free ? QStringLiteral("自由设站") : QStringLiteral("多后视定向  测站");
  if (!setup.name.empty()) head += QLatin1Char(' ') + QString::fromStdString(setup.name);
  return QStringLiteral("%1  X %2  Y %3    定向 %4")
      .arg(head, QString::fromStdString(setup.x), QString::fromStdString(setup.y),
           QString::fromStdString(setup.orientation));
}

QString SetupCheckText(const reading::SheetSetup& setup, const SetupLimits& limits) {
  const reading::SetupAnswer& answer = setup.answer;
  QString text;
  if (answer.free) {
    text = QStringLiteral("mX %1 mm  mY %2 mm  σ0 %3    ")
               .arg(answer.mxMm, 0, 'f', 1)
               .arg(answer.myMm, 0, 'f', 1)
               .arg(answer.sigma0, 0, 'f', 2);
  }
  return text + QStringLiteral("%1 个观测，超限 %2 个")
                    .arg(answer.residuals.size())
                    .arg(OverLimits(answer, limits));
}

int OverLimits(const reading::SetupAnswer& answer, const SetupLimits& limits) {
  int over = 0;
  for (const survey::TargetResidual& residual : answer.residuals) {
    over += limits.overSeconds(residual.seconds);
    over += residual.distanceMm && limits.overMillimetres(*residual.distanceMm);
  }
  return over;
}

QString ResidualText(double value, bool over) {
  QString text = QString::number(value, 'f', 1);
  if (text == QStringLiteral("-0.0")) text = QStringLiteral("0.0");
  if (value > 0 && text != QStringLiteral("0.0")) text.prepend(QLatin1Char('+'));
  return over ? text + QLatin1Char('*') : text;
}

QString ShortestText(double value, int decimals) {
  QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
  if (decimals == 0 || text.contains(QLatin1Char('e'))) return text;
  qsizetype point = text.indexOf(QLatin1Char('.'));
  if (point < 0) {
    point = text.size();
    text += QLatin1Char('.');
  }
  const qsizetype have = text.size() - point - 1;
  return have >= decimals ? text : text + QString(decimals - have, QLatin1Char('0'));
}

QColor ErrorColour() { return QColor(200, 0, 0); }

QPageLayout SheetPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}
