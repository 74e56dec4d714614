#include "ui/sheet/sketch_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

#include "ui/common/plan_marks.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"

namespace {

const QColor kPaper(Qt::white);
const QColor kPointColour(40, 40, 40);
const QColor kStationColour(0, 70, 200);
const QColor kBacksightColour(0, 130, 60);
const QColor kSelectedColour(230, 100, 0);

constexpr double kPointSize = 3.0;     // a design point's square
constexpr double kStationSize = 12.0;  // the instrument's triangle
constexpr double kBacksightSize = 9.0;
constexpr double kLabelGap = 4.0;    // between a point and its name
constexpr double kRingRadius = 6.0;  // around the selected point

QString pointName(const SheetPoint& point, const QString& typedName) {
  return point.name.isEmpty() ? typedName : point.name;
}

// The width of a name as the painter's font sets it; names of plain ASCII,
// the usual point numbers, are measured a character at a time from a table,
// many times faster than shaping each one.
class NameWidths {
 public:
  explicit NameWidths(const QFontMetricsF& metrics) : m_metrics(metrics) { m_ascii.fill(-1); }

  double of(std::string_view utf8) {
    double width = 0;
    for (const unsigned char c : utf8) {
      if (c >= 0x80) return m_metrics.horizontalAdvance(QString::fromUtf8(utf8));
      if (m_ascii[c] < 0) m_ascii[c] = m_metrics.horizontalAdvance(QLatin1Char(char(c)));
      width += m_ascii[c];
    }
    return width;
  }

 private:
  const QFontMetricsF& m_metrics;
  std::array<double, 0x80> m_ascii;
};

}  // namespace

SketchPainter::SketchPainter(const SetoutSheet& sheet, const SketchFrame& frame, const QRectF& area)
    : m_sheet(sheet), m_frame(frame), m_area(area) {}

void SketchPainter::paint(QPainter& painter, std::ptrdiff_t selected) const {
  painter.save();
  painter.setClipRect(m_area);
  painter.fillRect(m_area, kPaper);
  painter.setRenderHint(QPainter::Antialiasing, false);
  paintBacksight(painter);
  const std::vector<Placed> placed = placePoints();
  paintPoints(painter, placed);
  painter.setRenderHint(QPainter::Antialiasing, true);
  paintSelection(painter, selected);
  paintStation(painter);
  paintLabels(painter, placed, selected);
  PaintNorthArrow(painter, m_area);
  PaintScaleBar(painter, m_area, m_frame.pixelsPerMetre);
  painter.restore();
}

// A dashed line to the backsight point, or where the backsight is an azimuth,
// a dashed ray in its direction to the edge of the area.
void SketchPainter::paintBacksight(QPainter& painter) const {
  const QPointF station = place(m_sheet.station.x, m_sheet.station.y);
  QPointF end;
  if (m_sheet.backsightPoint) {
    end = place(m_sheet.backsightPoint->x, m_sheet.backsightPoint->y);
  } else {
    const double radians = m_sheet.backsightDegrees * std::numbers::pi / 180;
    const double reach = m_area.width() + m_area.height();
    end = station + QPointF(std::sin(radians), -std::cos(radians)) * reach;
  }
  painter.setPen(QPen(kBacksightColour, 1.0, Qt::DashLine));
  painter.drawLine(station, end);
  if (!m_sheet.backsightPoint) return;
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kBacksightColour, 1.5));
  painter.drawEllipse(end, kBacksightSize / 2, kBacksightSize / 2);
  painter.drawPoint(end);
}

// Where each design point inside the area falls, in file order: computed
// once a paint for the points and their names alike.
std::vector<SketchPainter::Placed> SketchPainter::placePoints() const {
  std::vector<Placed> placed;
  const SheetRows& rows = m_sheet.rows;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (!rows.hasPoint(row)) continue;
    const SheetRows::Point ground = rows.point(row);
    const QPointF at = place(ground.x, ground.y);
    if (inArea(at)) placed.push_back({at, row});
  }
  return placed;
}

// One small square a point. A point whose square would start in a cell of
// 2 x 2 pixels that already has one is left out: it would cover almost the
// same pixels, and a hundred thousand points then draw as fast as a
// screenful. Whole-pixel squares take the painter's fast path.
void SketchPainter::paintPoints(QPainter& painter, const std::vector<Placed>& placed) const {
  constexpr int kCell = 2;
  const int columns = static_cast<int>(std::ceil(m_area.width() / kCell)) + 1;
  const int cellRows = static_cast<int>(std::ceil(m_area.height() / kCell)) + 1;
  std::vector<bool> drawn(static_cast<std::size_t>(columns) * cellRows, false);
  std::vector<QRect> answered, failed;
  const int half = static_cast<int>(kPointSize) / 2;
  const QPoint origin = m_area.topLeft().toPoint();
  for (const Placed& point : placed) {
    const QPointF at = point.at - m_area.topLeft();
    const int x = static_cast<int>(at.x());
    const int y = static_cast<int>(at.y());
    const std::size_t cell = static_cast<std::size_t>(y / kCell) * columns + x / kCell;
    const bool rowFailed = m_sheet.rows.failed(point.row);
    if (drawn[cell] && !rowFailed) continue;
    drawn[cell] = true;
    (rowFailed ? failed : answered)
        .emplace_back(origin + QPoint(x - half, y - half), QSize(int(kPointSize), int(kPointSize)));
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPointColour);
  painter.drawRects(answered.data(), static_cast<int>(answered.size()));
  painter.setBrush(ErrorColour());
  painter.drawRects(failed.data(), static_cast<int>(failed.size()));
}

// The ray from the station to the selected point, and a ring around it.
void SketchPainter::paintSelection(QPainter& painter, std::ptrdiff_t selected) const {
  if (selected < 0 || static_cast<std::size_t>(selected) >= m_sheet.rows.size() ||
      !m_sheet.rows.hasPoint(selected))
    return;
  const SheetRows::Point ground = m_sheet.rows.point(selected);
  const QPointF point = place(ground.x, ground.y);
  painter.setPen(QPen(kSelectedColour, 2.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawLine(place(m_sheet.station.x, m_sheet.station.y), point);
  painter.drawEllipse(point, kRingRadius, kRingRadius);
}

// A triangle with the instrument in its middle.
void SketchPainter::paintStation(QPainter& painter) const {
  const QPointF at = place(m_sheet.station.x, m_sheet.station.y);
  const double half = kStationSize / 2;
  const QPointF corners[] = {at + QPointF(0, -half), at + QPointF(half, half * 0.8),
                             at + QPointF(-half, half * 0.8)};
  painter.setPen(QPen(kStationColour, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolygon(corners, 3);
  painter.setBrush(kStationColour);
  painter.drawEllipse(at, 1.5, 1.5);
}

// Names in order of importance: the station's, the backsight's, the selected
// point's, then the design points' in file order; each only where it covers
// no name drawn before it, and a design point's name only where it covers
// no point.
void SketchPainter::paintLabels(QPainter& painter, const std::vector<Placed>& placed,
                                std::ptrdiff_t selected) const {
  const QFontMetricsF metrics(painter.font());
  const double lineHeight = metrics.height();
  // Cells narrower than the gap, so that a point's cell is never its name's.
  LabelGrid grid(m_area, std::min(lineHeight / 4, kLabelGap - 0.5));
  NameWidths widths(metrics);
  const QPointF station = place(m_sheet.station.x, m_sheet.station.y);
  auto nameRect = [&](QPointF at, double width) {
    return QRectF(at.x() + kLabelGap, at.y() - lineHeight / 2, width, lineHeight);
  };
  auto draw = [&](const QRectF& rect, const QString& name, const QColor& colour) {
    grid.take(rect);
    painter.setPen(colour);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
  };
  auto label = [&](QPointF at, const QString& name, const QColor& colour) {
    const QRectF rect = nameRect(at, metrics.horizontalAdvance(name));
    if (!name.isEmpty() && inArea(at) && grid.isFree(rect)) draw(rect, name, colour);
  };
  label(station + QPointF(kStationSize / 2, 0), pointName(m_sheet.station, QStringLiteral("测站")),
        kStationColour);
  if (m_sheet.backsightPoint)
    label(place(m_sheet.backsightPoint->x, m_sheet.backsightPoint->y) +
              QPointF(kBacksightSize / 2, 0),
          pointName(*m_sheet.backsightPoint, QStringLiteral("后视")), kBacksightColour);
  grid.take(QRectF(station - QPointF(kStationSize / 2, kStationSize / 2),
                   QSizeF(kStationSize, kStationSize)));
  const SheetRows& rows = m_sheet.rows;
  if (selected >= 0 && static_cast<std::size_t>(selected) < rows.size() &&
      rows.hasPoint(selected)) {
    const SheetRows::Point ground = rows.point(selected);
    label(place(ground.x, ground.y) + QPointF(kRingRadius - kLabelGap + 2, 0),
          QString::fromUtf8(rows.field(selected, SheetRows::kName)), kSelectedColour);
  }
  // No name covers the middle of a point.
  for (const Placed& point : placed) grid.take(QRectF(point.at, point.at));
  for (const Placed& point : placed) {
    const QPointF at = point.at;
    const std::size_t row = point.row;
    // A cheap look at where the name would start spares measuring the many
    // names that cannot fit; a name that does not fit leaves its start taken.
    const QRectF start(at.x() + kLabelGap, at.y(), 0, 0);
    if (!grid.isFreeAt(start.topLeft())) continue;
    const std::string_view name = rows.field(row, SheetRows::kName);
    const QRectF rect = nameRect(at, widths.of(name));
    if (name.empty() || !grid.isFree(rect)) {
      grid.take(start);
      continue;
    }
    draw(rect, QString::fromUtf8(name), rows.failed(row) ? ErrorColour() : kPointColour);
  }
}

std::ptrdiff_t SketchPainter::rowAt(QPointF pos, double radius) const {
  std::ptrdiff_t found = kNoRow;
  double best = radius * radius;
  const SheetRows& rows = m_sheet.rows;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (!rows.hasPoint(row)) continue;
    const SheetRows::Point ground = rows.point(row);
    const QPointF offset = place(ground.x, ground.y) - pos;
    const double distance = QPointF::dotProduct(offset, offset);
    if (distance <= best) {
      best = distance;
      found = static_cast<std::ptrdiff_t>(row);
    }
  }
  return found;
}
