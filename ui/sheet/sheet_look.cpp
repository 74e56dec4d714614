#include "ui/sheet/sheet_look.h"

#include <QLocale>
#include <QMarginsF>
#include <QPageSize>
#include <array>
#include <cmath>

#include "core/target_sight.h"
#include "reader/fields/number_text.h"
#include "reader/text/shown_text.h"
#include "ui/sheet/setout_sheet.h"

namespace {

using Shows = SheetColumn::Shows;

// Every column a sheet may have, in their order; the first kBaseColumnCount
// every sheet has, then the sight's, then the design coordinates.
constexpr std::array<SheetColumn, 11> kColumns = {{
    {"点名", Shows::kField, SheetRows::kName, false},
    {"编码", Shows::kField, SheetRows::kCode, false},
    {"方位角", Shows::kField, SheetRows::kAzimuth, true},
    {"水平角", Shows::kField, SheetRows::kAngle, true},
    {"距离", Shows::kField, SheetRows::kDistance, true},
    {"设计高程", Shows::kField, SheetRows::kHeight, true},
    {"高差", Shows::kField, SheetRows::kHeightDifference, true},
    {"天顶距", Shows::kField, SheetRows::kZenith, true},
    {"斜距", Shows::kField, SheetRows::kSlope, true},
    {"设计X", Shows::kDesignX, SheetRows::kName, true},
    {"设计Y", Shows::kDesignY, SheetRows::kName, true},
}};
constexpr std::size_t kSightColumns = 3;
constexpr std::size_t kDesignColumns = 2;
static_assert(kColumns[kFirstNumberColumn].number && !kColumns[kFirstNumberColumn - 1].number);
static_assert(kBaseColumnCount + kSightColumns + kDesignColumns == kColumns.size());

QString pointText(const QString& role, const SheetPoint& point, int decimals) {
  return QStringLiteral("%1 %2  X %3  Y %4")
      .arg(role, point.name, QString::number(point.x, 'f', decimals),
           QString::number(point.y, 'f', decimals));
}

QString fixed(double value, int decimals) {
  std::string text;
  reading::AppendFixed(text, value, decimals);
  return QString::fromStdString(text);
}

}  // namespace

const std::array<QString, PageHeading::kCount>& PageHeadingTitles() {
  static const std::array<QString, PageHeading::kCount> titles = {
      QStringLiteral("工程名称"), QStringLiteral("仪器"), QStringLiteral("观测"),
      QStringLiteral("记录"),     QStringLiteral("检查"), QStringLiteral("天气")};
  return titles;
}

std::vector<SheetColumn> SheetColumns(const SetoutSheet* sheet, bool designShown) {
  // A listing: the points as they are, with nothing computed.
  if (sheet && sheet->listed)
    return {kColumns[0], kColumns[1], kColumns[kBaseColumnCount + kSightColumns],
            kColumns[kBaseColumnCount + kSightColumns + 1], kColumns[5]};
  std::vector<SheetColumn> columns(kColumns.begin(), kColumns.begin() + kBaseColumnCount);
  const auto from = [&columns](std::size_t first, std::size_t count) {
    columns.insert(columns.end(), kColumns.begin() + first, kColumns.begin() + first + count);
  };
  if (sheet && sheet->settings.heights) from(kBaseColumnCount, kSightColumns);
  if (designShown) from(kBaseColumnCount + kSightColumns, kDesignColumns);
  return columns;
}

const SheetColumn& ColumnOf(SheetRows::Field field) {
  for (const SheetColumn& column : kColumns)
    if (column.shows == Shows::kField && column.field == field) return column;
  return kColumns.front();
}

SheetRows::Field FieldOf(const reading::AnswerColumn& column) {
  using Role = reading::AnswerColumn::Role;
  switch (column.role) {
    case Role::kName:
      return SheetRows::kName;
    case Role::kCode:
      return SheetRows::kCode;
    case Role::kResult:
      return SheetRows::Field(SheetRows::kAzimuth + column.result);
    case Role::kHeight:
      return SheetRows::kHeight;
    case Role::kSight:
      return SheetRows::Field(SheetRows::kHeightDifference + column.result);
  }
  return SheetRows::kName;
}

void AppendCellText(const SetoutSheet& sheet, std::size_t row, const SheetColumn& column,
                    std::string& out) {
  const SheetRows& rows = sheet.rows;
  if (column.shows == Shows::kField) {
    const std::string_view text = rows.field(row, column.field);
    // Names and codes are kept as read: quoted where the line's separator
    // would read them back otherwise, as the tool writes them.
    if (column.field == SheetRows::kName || column.field == SheetRows::kCode)
      reading::AppendField(out, text, rows.layout(row).separator);
    else
      out += text;
  } else if (rows.hasPoint(row)) {
    const SheetRows::Point point = rows.point(row);
    reading::AppendFixed(out, column.shows == Shows::kDesignX ? point.x : point.y,
                         sheet.settings.decimals);
  }
}

QString CellText(const SetoutSheet& sheet, std::size_t row, const SheetColumn& column) {
  if (column.shows == Shows::kField) return QString::fromUtf8(sheet.rows.field(row, column.field));
  std::string text;
  AppendCellText(sheet, row, column, text);
  return QString::fromLatin1(text);
}

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
  // Fixed notation, as a coordinate is typed: 500000, never 5e+05.
  QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
  if (decimals == 0 || !std::isfinite(value)) return text;
  qsizetype point = text.indexOf(QLatin1Char('.'));
  if (point < 0) {
    point = text.size();
    text += QLatin1Char('.');
  }
  const qsizetype have = text.size() - point - 1;
  return have >= decimals ? text : text + QString(decimals - have, QLatin1Char('0'));
}

QString HeightsLineText(const SetoutSheet& sheet) {
  if (!sheet.settings.heights) return QString();
  const survey::HeightSetup& heights = *sheet.settings.heights;
  const int decimals = sheet.settings.decimals;
  const QString correction = heights.earthCorrection
                                 ? QStringLiteral("两差改正：有（K = %1，R = %2 km）")
                                       .arg(survey::kRefractionCoefficient)
                                       .arg(survey::kEarthRadius / 1000.0)
                                 : QStringLiteral("两差改正：无");
  return QStringLiteral("测站高程 %1  仪器高 %2  目标高 %3    %4")
      .arg(fixed(heights.stationHeight, decimals), fixed(heights.instrumentHeight, decimals),
           fixed(heights.targetHeight, decimals), correction);
}

QPageLayout SheetPageLayout(std::size_t columns) {
  return QPageLayout(QPageSize(QPageSize::A4),
                     columns > kBaseColumnCount ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}
