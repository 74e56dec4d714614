#include "ui/sheet/printed_setup_block.h"

#include <QFontMetricsF>
#include <QPainter>
#include <array>

#include "ui/common/window_look.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"

namespace {

constexpr double kGap = 6.0;      // under the block
constexpr double kLeading = 3.0;  // between its lines
constexpr int kColumns = 6;
// Shares of the width: the name, the reading, the distance, three residuals.
constexpr std::array<double, kColumns> kShares = {0.22, 0.16, 0.14, 0.16, 0.16, 0.16};
const QColor kRule(120, 120, 120);

}  // namespace

SetupBlock::SetupBlock(const SetoutSheet& sheet, const QFont& font, const QFont& bold)
    : m_sheet(sheet), m_font(font), m_bold(bold) {}

double SetupBlock::height() const {
  if (!m_sheet.setup || !m_sheet.oriented) return 0.0;
  const double line = QFontMetricsF(m_font).height() + kLeading;
  return (2 + m_sheet.oriented->sightings.size()) * line + kGap;
}

void SetupBlock::paint(QPainter& painter, const QRectF& area) const {
  if (!m_sheet.setup || !m_sheet.oriented) return;
  const double line = QFontMetricsF(m_font).height() + kLeading;
  const SetupLimits& limits = m_sheet.limits;
  painter.setPen(Qt::black);
  painter.setFont(m_font);
  painter.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignLeft,
                   QStringLiteral("设站观测：残差为计算值减观测值，* 超过限差 %1″ / %2 mm")
                       .arg(ShortestText(limits.seconds), ShortestText(limits.millimetres)));
  const std::array<QString, kColumns> titles = {
      QStringLiteral("点名"),       QStringLiteral("读数"),    QStringLiteral("平距"),
      QStringLiteral("读数残差 ″"), QStringLiteral("横向 mm"), QStringLiteral("平距残差 mm")};
  const auto row = [&](double top, const std::array<QString, kColumns>& texts,
                       const std::array<bool, kColumns>& over) {
    double left = area.left();
    for (int column = 0; column < kColumns; ++column) {
      const double width = area.width() * kShares[column];
      painter.setPen(over[column] ? ErrorColour() : QColor(Qt::black));
      painter.drawText(QRectF(left, top, width - 6.0, line),
                       (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                       texts[column]);
      left += width;
    }
  };
  double top = area.top() + line;
  painter.setFont(m_bold);
  row(top, titles, {});
  painter.setPen(QPen(kRule, 1.0));
  painter.drawLine(QPointF(area.left(), top + line), QPointF(area.right(), top + line));
  painter.setFont(m_font);
  const auto& sightings = m_sheet.oriented->sightings;
  const auto& residuals = m_sheet.setup->answer.residuals;
  for (std::size_t at = 0; at < sightings.size() && at < residuals.size(); ++at) {
    top += line;
    const reading::SetupSighting& sighting = sightings[at];
    const survey::TargetResidual& residual = residuals[at];
    const bool secondsOver = limits.overSeconds(residual.seconds);
    const bool distanceOver = residual.distanceMm && limits.overMillimetres(*residual.distanceMm);
    row(top,
        {QString::fromStdString(sighting.name), ShortestText(sighting.reading, 4),
         sighting.distance ? ShortestText(*sighting.distance, 3) : QString(),
         ResidualText(residual.seconds, secondsOver), ResidualText(residual.lateralMm),
         residual.distanceMm ? ResidualText(*residual.distanceMm, distanceOver) : QString()},
        {false, false, false, secondsOver, false, distanceOver});
  }
}
