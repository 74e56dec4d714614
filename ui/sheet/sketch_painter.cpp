#include "ui/sheet/sketch_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/common/label_placer.h"
#include "ui/common/plan_marks.h"
#include "ui/common/window_look.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"

namespace {

const QColor kPaper(Qt::white);
const QColor kPointColour(40, 40, 40);
const QColor kStationColour(0, 70, 200);
const QColor kBacksightColour(0, 130, 60);
const QColor kSelectedColour(230, 100, 0);
const QColor kTickedColour(175, 175, 175);
const QColor kRouteColour(0, 140, 190);
const QColor kBandRule(200, 200, 200);

constexpr double kPointSize = 3.0;     // a design point's square
constexpr double kStationSize = 12.0;  // the instrument's triangle
constexpr double kBacksightSize = 9.0;
constexpr double kLabelGap = 4.0;    // between a point and its name
constexpr double kRingRadius = 6.0;  // around the selected point
constexpr double kBandPad = 5.0;  // above and below what a band holds

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

SketchPainter::SketchPainter(const SetoutSheet& sheet, const SketchFrame& frame, const QRectF& area,
                             SketchMarks marks, const QFont& font)
    : m_sheet(sheet), m_frame(frame), m_area(area), m_marks(marks) {
  const double band = std::min(BandHeight(QFontMetricsF(font)), area.height() / 4);
  m_plan = area.adjusted(0, band, 0, -band);
}

double SketchPainter::BandHeight(const QFontMetricsF& metrics) {
  return std::max(kNorthArrowHeight, metrics.height()) + 2 * kBandPad;
}

void SketchPainter::paint(QPainter& painter, std::ptrdiff_t selected) const {
  painter.save();
  painter.setClipRect(m_area);
  painter.fillRect(m_area, kPaper);
  painter.setClipRect(m_plan);
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (!m_sheet.listed) paintBacksight(painter);
  const std::vector<Placed> placed = placePoints();
  paintPoints(painter, placed);
  paintRoute(painter);
  painter.setRenderHint(QPainter::Antialiasing, true);
  if (!m_sheet.listed) {
    paintSelection(painter, selected);
    paintStation(painter);
  }
  const Labels names = placeLabels(QFontMetricsF(painter.font()), placed, selected);
  paintLabels(painter, names);
  painter.setClipRect(m_area);
  paintBands(painter, names.leftOut);
  paintNorthArrow(painter);
  paintScaleBar(painter);
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
  const int columns = static_cast<int>(std::ceil(m_plan.width() / kCell)) + 1;
  const int cellRows = static_cast<int>(std::ceil(m_plan.height() / kCell)) + 1;
  std::vector<bool> drawn(static_cast<std::size_t>(columns) * cellRows, false);
  std::vector<QRect> answered, failed, done;
  const int half = static_cast<int>(kPointSize) / 2;
  const QPoint origin = m_plan.topLeft().toPoint();
  const auto square = [&](QPoint at) {
    return QRect(origin + QPoint(at.x() - half, at.y() - half),
                 QSize(int(kPointSize), int(kPointSize)));
  };
  // The points still to stake first, so that one ticked off beside them
  // does not take their place.
  for (const Placed& point : placed) {
    if (ticked(point.row)) continue;
    const QPointF at = point.at - m_plan.topLeft();
    const int x = static_cast<int>(at.x());
    const int y = static_cast<int>(at.y());
    const std::size_t cell = static_cast<std::size_t>(y / kCell) * columns + x / kCell;
    const bool rowFailed = m_sheet.rows.failed(point.row);
    if (drawn[cell] && !rowFailed) continue;
    drawn[cell] = true;
    (rowFailed ? failed : answered).push_back(square({x, y}));
  }
  if (m_marks.ticked) {
    for (const Placed& point : placed) {
      if (!ticked(point.row)) continue;
      const QPointF at = point.at - m_plan.topLeft();
      const int x = static_cast<int>(at.x());
      const int y = static_cast<int>(at.y());
      const std::size_t cell = static_cast<std::size_t>(y / kCell) * columns + x / kCell;
      if (drawn[cell]) continue;
      drawn[cell] = true;
      done.push_back(square({x, y}));
    }
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(kTickedColour);
  painter.drawRects(done.data(), static_cast<int>(done.size()));
  painter.setBrush(kPointColour);
  painter.drawRects(answered.data(), static_cast<int>(answered.size()));
  painter.setBrush(ErrorColour());
  painter.drawRects(failed.data(), static_cast<int>(failed.size()));
}

// A thin line from the station through the route's points in their order;
// of points walked one after the other within a pixel, one is drawn.
void SketchPainter::paintRoute(QPainter& painter) const {
  if (!m_marks.route || m_marks.route->empty() || m_sheet.listed) return;
  std::vector<QPointF> line;
  QPointF last = place(m_sheet.station.x, m_sheet.station.y);
  line.push_back(last);
  for (const std::uint32_t row : *m_marks.route) {
    if (row >= m_sheet.rows.size() || !m_sheet.rows.hasPoint(row)) continue;
    const SheetRows::Point ground = m_sheet.rows.point(row);
    const QPointF at = place(ground.x, ground.y);
    if (std::abs(at.x() - last.x()) < 1 && std::abs(at.y() - last.y()) < 1) continue;
    line.push_back(at);
    last = at;
  }
  painter.setPen(QPen(kRouteColour, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(line.data(), static_cast<int>(line.size()));
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

SketchPainter::Labels SketchPainter::labels(const QFontMetricsF& metrics,
                                            std::ptrdiff_t selected) const {
  return placeLabels(metrics, placePoints(), selected);
}

// Names in order of importance: the station's (always), the backsight's,
// the selected point's, then the design points' (placeDesignNames); each
// beside its point where it covers no point, mark or name placed before it,
// else left out and counted.
SketchPainter::Labels SketchPainter::placeLabels(const QFontMetricsF& metrics,
                                                 const std::vector<Placed>& placed,
                                                 std::ptrdiff_t selected) const {
  Labels labels;
  const double lineHeight = metrics.height();
  LabelPlacer placer(m_plan);
  const double half = kPointSize / 2;
  for (const Placed& point : placed)
    placer.cover(QRectF(point.at - QPointF(half, half), QSizeF(kPointSize, kPointSize)));
  const QPointF station = place(m_sheet.station.x, m_sheet.station.y);
  const bool stationShown = !m_sheet.listed && inArea(station);
  if (stationShown)
    placer.cover(QRectF(station - QPointF(kStationSize / 2, kStationSize / 2),
                        QSizeF(kStationSize, kStationSize)));
  std::optional<QPointF> backsight;
  if (m_sheet.backsightPoint) {
    backsight = place(m_sheet.backsightPoint->x, m_sheet.backsightPoint->y);
    placer.cover(QRectF(*backsight - QPointF(kBacksightSize / 2, kBacksightSize / 2),
                        QSizeF(kBacksightSize, kBacksightSize)));
  }
  const auto size = [&](const QString& name) {
    return QSizeF(metrics.horizontalAdvance(name), lineHeight);
  };
  if (stationShown) {
    const QString name = pointName(m_sheet.station, QStringLiteral("测站"));
    labels.drawn.push_back({placer.placeAlways(station, size(name), kStationSize / 2 + kLabelGap),
                            name, kStationColour, true});
  }
  const auto label = [&](QPointF at, const QString& name, double gap, const QColor& colour) {
    if (name.isEmpty() || !inArea(at)) return;
    if (const std::optional<QRectF> rect = placer.place(at, size(name), gap))
      labels.drawn.push_back({*rect, name, colour});
  };
  if (backsight)
    label(*backsight, pointName(*m_sheet.backsightPoint, QStringLiteral("后视")),
          kBacksightSize / 2 + kLabelGap, kBacksightColour);
  const SheetRows& rows = m_sheet.rows;
  if (selected >= 0 && static_cast<std::size_t>(selected) < rows.size() &&
      rows.hasPoint(selected)) {
    const SheetRows::Point ground = rows.point(selected);
    placer.cover(QRectF(place(ground.x, ground.y) - QPointF(kRingRadius, kRingRadius),
                        QSizeF(2 * kRingRadius, 2 * kRingRadius)));
    label(place(ground.x, ground.y), QString::fromUtf8(rows.field(selected, SheetRows::kName)),
          kRingRadius + 2, kSelectedColour);
  }
  placeDesignNames(metrics, placed, selected, placer, labels);
  labels.leftOut = placer.leftOut();
  return labels;
}

// The design points' names after the others, in file order, those still
// to stake first; a name that covers what is placed is left out and counted.
void SketchPainter::placeDesignNames(const QFontMetricsF& metrics,
                                     const std::vector<Placed>& placed, std::ptrdiff_t selected,
                                     LabelPlacer& placer, Labels& labels) const {
  const double lineHeight = metrics.height();
  NameWidths widths(metrics);
  const SheetRows& rows = m_sheet.rows;
  for (const bool done : {false, true}) {
    if (done && !m_marks.ticked) break;
    for (const Placed& point : placed) {
      const std::size_t row = point.row;
      if (ticked(row) != done || static_cast<std::ptrdiff_t>(row) == selected) continue;
      const std::string_view name = rows.field(row, SheetRows::kName);
      if (name.empty()) continue;
      // A cheap look around the point spares measuring the many names that
      // cannot fit.
      if (placer.crowded(point.at, kLabelGap, lineHeight)) {
        placer.leaveOut();
        continue;
      }
      const std::optional<QRectF> rect =
          placer.place(point.at, QSizeF(widths.of(name), lineHeight), kLabelGap);
      if (!rect) continue;
      const QColor colour =
          rows.failed(row) ? ErrorColour() : (done ? kTickedColour : kPointColour);
      labels.drawn.push_back({*rect, QString::fromUtf8(name), colour});
    }
  }
}

void SketchPainter::paintLabels(QPainter& painter, const Labels& labels) const {
  for (const Label& label : labels.drawn) {
    if (label.backed) painter.fillRect(label.rect, kPaper);
    painter.setPen(label.colour);
    painter.drawText(label.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     label.text);
  }
}

// The bands along the top and the bottom, on paper of their own; at the
// right of the bottom one, how many names are left out; in a listing, the top one says what the sheet waits for, whatever the
// method of the setup.
void SketchPainter::paintBands(QPainter& painter, std::size_t leftOut) const {
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QRectF top(m_area.left(), m_area.top(), m_area.width(), m_plan.top() - m_area.top());
  const QRectF bottom(m_area.left(), m_plan.bottom(), m_area.width(),
                      m_area.bottom() - m_plan.bottom());
  painter.fillRect(top, kPaper);
  painter.fillRect(bottom, kPaper);
  painter.setPen(QPen(kBandRule, 1.0));
  painter.drawLine(QPointF(m_area.left(), m_plan.top()), QPointF(m_area.right(), m_plan.top()));
  painter.drawLine(QPointF(m_area.left(), m_plan.bottom()),
                   QPointF(m_area.right(), m_plan.bottom()));
  painter.setRenderHint(QPainter::Antialiasing, true);
  PaintLeftOut(painter, QPointF(bottom.right() - 8, bottom.center().y()), leftOut);
  if (!m_sheet.listed) return;
  painter.setPen(kStationColour);
  painter.drawText(top.adjusted(8, 0, -40, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("请先设站：选择测站和后视，或输入观测"));
}

// At the right of the top band: 北 and an arrow pointing up.
void SketchPainter::paintNorthArrow(QPainter& painter) const {
  const QFontMetricsF metrics(painter.font());
  const double middle = (m_area.top() + m_plan.top()) / 2;
  const QPointF tip(m_area.right() - 14, middle - kNorthArrowHeight / 2);
  PaintArrowUp(painter, tip);
  const double width = metrics.horizontalAdvance(QStringLiteral("北"));
  painter.drawText(
      QRectF(tip.x() - 10 - width, middle - metrics.height() / 2, width, metrics.height()),
      Qt::AlignCenter, QStringLiteral("北"));
}

// At the left of the bottom band: a bar of a round length near a fifth of
// the area's width, its length written after it.
void SketchPainter::paintScaleBar(QPainter& painter) const {
  const double metres = RoundScaleLength(m_area.width() / 5 / m_frame.pixelsPerMetre);
  const double length = metres * m_frame.pixelsPerMetre;
  const double middle = (m_plan.bottom() + m_area.bottom()) / 2;
  const QPointF left(m_area.left() + 12, middle + 3);
  PaintBar(painter, left, length);
  const QFontMetricsF metrics(painter.font());
  painter.drawText(QRectF(left.x() + length + 6, middle - metrics.height() / 2, 120, metrics.height()),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1 m").arg(QString::number(metres, 'g', 6)));
}

std::ptrdiff_t SketchPainter::rowAt(QPointF pos, double radius) const {
  std::ptrdiff_t found = kNoRow;
  double best = radius * radius;
  const SheetRows& rows = m_sheet.rows;
  if (!inArea(pos)) return found;
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
