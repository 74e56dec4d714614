#include "ui/road/road_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

#include "core/alignment/element.h"
#include "ui/common/label_placer.h"
#include "ui/common/plan_marks.h"

namespace {

const QColor kPaper(Qt::white);
const QColor kTangent(120, 120, 120);
const QColor kStraight(20, 20, 20);
const QColor kSpiral(0, 140, 70);
const QColor kArc(0, 70, 200);
const QColor kMainPoint(180, 0, 120);
const QColor kTick(90, 90, 90);
const QColor kStake(60, 60, 60);
const QColor kMark(230, 100, 0);

constexpr double kQuarterPixel = 0.25;  // how far the drawn plan strays from the curve
constexpr double kTickLength = 6.0;     // each side of the centre line
constexpr double kMinTickGap = 8.0;     // pixels between chainage ticks at least
constexpr double kStakeSize = 3.0;
constexpr double kPointRadius = 3.5;  // a main point's or JD's ring
constexpr double kLabelGap = 2.5;  // from a tick's end, a ring's edge
QColor elementColour(survey::ElementKind kind) {
  switch (kind) {
    case survey::ElementKind::kStraight:
      return kStraight;
    case survey::ElementKind::kSpiral:
      return kSpiral;
    case survey::ElementKind::kArc:
      return kArc;
  }
  return kStraight;
}

bool overlaps(const survey::PlanBox& box, const PlanBounds& ground) {
  return box.minX <= ground.maxX && box.maxX >= ground.minX && box.minY <= ground.maxY &&
         box.maxY >= ground.minY;
}

const QColor kBacking(255, 255, 255, 200);  // under a label, so that lines do not cross it

// A label `gap` pixels right of `at` (left first with `leftFirst`), or
// where else around it LabelPlacer finds a place, on a white backing.
void label(QPainter& painter, LabelPlacer& placer, QPointF at, double gap, const QString& text,
           const QColor& colour, bool leftFirst = false) {
  if (text.isEmpty()) return;
  const QFontMetricsF metrics(painter.font());
  const QSizeF size(metrics.horizontalAdvance(text) + 2, metrics.height());
  const std::optional<QRectF> rect = placer.place(at, size, gap, leftFirst);
  if (!rect) return;
  painter.fillRect(*rect, kBacking);
  painter.setPen(colour);
  painter.drawText(*rect, Qt::AlignCenter | Qt::TextSingleLine, text);
}

// "K1+200", and "K2" at a whole kilometre.
QString tickText(double chainage) {
  const long long metres = std::llround(chainage);
  const long long km = metres / 1000;
  const long long rest = std::llabs(metres % 1000);
  if (rest == 0) return QStringLiteral("%1K%2").arg(metres < 0 ? "-" : "").arg(std::llabs(km));
  return QStringLiteral("%1K%2+%3")
      .arg(metres < 0 ? "-" : "")
      .arg(std::llabs(km))
      .arg(rest, 3, 10, QLatin1Char('0'));
}

}  // namespace

RoadPainter::RoadPainter(const RoadShown& road, const std::vector<reading::Stake>* stakes,
                         const PlanFrame& frame, const QRectF& area)
    : m_road(road),
      m_stakes(stakes),
      m_frame(frame),
      m_area(area),
      m_ground(frame.groundOf(area)) {}

PlanBounds RoadPainter::bounds(const RoadShown& road) {
  PlanBounds bounds;
  const survey::PlanBox box = road.design->alignment.Bounds();
  if (box.minX <= box.maxX) {
    bounds.add(box.minX, box.minY);
    bounds.add(box.maxX, box.maxY);
  }
  for (const survey::CurveRow& curve : road.design->curves) bounds.add(curve.x, curve.y);
  return bounds;
}

void RoadPainter::paint(QPainter& painter, const RoadMarks& marks) const {
  painter.save();
  painter.setClipRect(m_area);
  painter.fillRect(m_area, kPaper);
  painter.setRenderHint(QPainter::Antialiasing, true);
  LabelPlacer placer(m_area);
  paintTangents(painter);
  paintAlignment(painter);
  paintStakes(painter, placer, marks.selectedStake);
  paintPoints(painter, placer);
  const std::size_t leftOut = placer.leftOut();  // the names', not the ticks'
  paintTicks(painter, placer);
  paintMarks(painter, marks);
  PaintNorthArrow(painter, m_area);
  PaintScaleBar(painter, m_area, m_frame.pixelsPerMetre);
  const double line = QFontMetricsF(painter.font()).height();
  PaintLeftOut(painter, QPointF(m_area.right() - 8, m_area.bottom() - 8 - line / 2), leftOut);
  painter.restore();
}

// BP, the JDs and EP joined by dashed lines.
void RoadPainter::paintTangents(QPainter& painter) const {
  const reading::RoadDesign& design = *m_road.design;
  if (design.curves.empty()) return;
  const survey::MainPoint& start = design.alignment.mainPoints().front();
  const survey::MainPoint& end = design.alignment.mainPoints().back();
  QPolygonF line;
  line << place(start.x, start.y);
  for (const survey::CurveRow& curve : design.curves) line << place(curve.x, curve.y);
  line << place(end.x, end.y);
  painter.setPen(QPen(kTangent, 1.0, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(line);
}

// Each element in the area, as a polyline within a quarter of a pixel of it.
void RoadPainter::paintAlignment(QPainter& painter) const {
  const survey::Alignment& alignment = m_road.design->alignment;
  const double deviation = kQuarterPixel / m_frame.pixelsPerMetre;
  std::vector<survey::PlanPoint> plan;
  QPolygonF line;
  for (std::size_t i = 0; i < alignment.elements().size(); ++i) {
    if (!overlaps(alignment.ElementBox(i), m_ground)) continue;
    plan.clear();
    alignment.AppendPlan(i, deviation, plan);
    line.clear();
    for (const survey::PlanPoint& point : plan) line << place(point.x, point.y);
    painter.setPen(QPen(elementColour(alignment.elements()[i].kind()), 2.0));
    painter.drawPolyline(line);
  }
}

// A tick across the centre line every 100 m, or every 1 or 10 km where the
// area would crowd them, with its chainage beside it.
void RoadPainter::paintTicks(QPainter& painter, LabelPlacer& placer) const {
  const survey::Alignment& alignment = m_road.design->alignment;
  double step = 100.0;
  while (step * m_frame.pixelsPerMetre < kMinTickGap && step < 1e7) step *= 10;
  const std::span<const survey::Element> elements = alignment.elements();

  for (double k = std::ceil(alignment.startChainage() / step) * step; k <= alignment.endChainage();
       k += step) {
    const std::size_t i = alignment.ElementAt(k);
    if (i == elements.size()) continue;
    const survey::ElementPoint point = survey::PointAt(elements[i], k - elements[i].chainage);
    const QPointF at = place(point.x, point.y);
    if (!inArea(at)) continue;
    // Square to the heading: east is right and north up on the page.
    const QPointF across(std::cos(point.heading) * kTickLength,
                         std::sin(point.heading) * kTickLength);
    painter.setPen(QPen(kTick, 1.0));
    painter.drawLine(at - across, at + across);
    // Beyond the end of the tick that points right, or up where it is
    // across the page.
    const QPointF end = across.x() >= 0 ? at + across : at - across;
    label(painter, placer, end, kLabelGap, tickText(k), kTick);
  }
}

// The stakes: a small square each, one a cell of 2 x 2 pixels, as the
// 放样表's sketch draws its points; the selected one ringed.
void RoadPainter::paintStakes(QPainter& painter, LabelPlacer& placer,
                              std::ptrdiff_t selected) const {
  if (!m_stakes) return;
  constexpr int kCell = 2;
  const int columns = static_cast<int>(std::ceil(m_area.width() / kCell)) + 1;
  const int rows = static_cast<int>(std::ceil(m_area.height() / kCell)) + 1;
  std::vector<bool> drawn(static_cast<std::size_t>(columns) * rows, false);
  std::vector<QRectF> squares;
  for (const reading::Stake& stake : *m_stakes) {
    const QPointF at = place(stake.point.x, stake.point.y);
    if (!inArea(at)) continue;
    const QPointF local = at - m_area.topLeft();
    const std::size_t cell = static_cast<std::size_t>(local.y() / kCell) * columns +
                             static_cast<std::size_t>(local.x() / kCell);
    if (drawn[cell]) continue;
    drawn[cell] = true;
    squares.emplace_back(at - QPointF(kStakeSize / 2, kStakeSize / 2),
                         QSizeF(kStakeSize, kStakeSize));
  }
  for (const QRectF& square : squares) placer.cover(square);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kStake);
  painter.drawRects(squares.data(), static_cast<int>(squares.size()));
  if (selected >= 0 && static_cast<std::size_t>(selected) < m_stakes->size()) {
    const reading::Stake& stake = (*m_stakes)[selected];
    painter.setPen(QPen(kMark, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(place(stake.point.x, stake.point.y), 6.0, 6.0);
  }
}

// The JDs and the main points ringed, then named where the names cover no
// ring: the JDs' names first (on the side away from their curves), then
// the main points' in order.
void RoadPainter::paintPoints(QPainter& painter, LabelPlacer& placer) const {
  const reading::RoadDesign& design = *m_road.design;
  const auto ring = [&](QPointF at, const QColor& colour, double width) {
    painter.setPen(QPen(colour, width));
    painter.setBrush(kPaper);
    painter.drawEllipse(at, kPointRadius, kPointRadius);
    placer.cover(QRectF(at - QPointF(kPointRadius, kPointRadius),
                        QSizeF(2 * kPointRadius, 2 * kPointRadius)));
  };
  for (const survey::CurveRow& curve : design.curves) {
    const QPointF at = place(curve.x, curve.y);
    if (inArea(at)) ring(at, kTangent, 1.0);
  }
  for (const survey::MainPoint& point : design.alignment.mainPoints()) {
    const QPointF at = place(point.x, point.y);
    if (inArea(at)) ring(at, kMainPoint, 1.5);
  }
  const double gap = kPointRadius + kLabelGap;
  for (const survey::CurveRow& curve : design.curves) {
    const QPointF at = place(curve.x, curve.y);
    // Away from the curve: on the side of the JD that its QZ is not.
    const bool right = at.x() >= place(curve.qz.x, curve.qz.y).x();
    if (inArea(at))
      label(painter, placer, at, gap, QString::fromStdString(curve.name), kTangent, !right);
  }
  for (const survey::MainPoint& point : design.alignment.mainPoints()) {
    const QPointF at = place(point.x, point.y);
    if (inArea(at))
      label(painter, placer, at, gap, QString::fromLatin1(survey::MainPointCode(point.kind)),
            kMainPoint);
  }
}

// The point of a 正算, and a 反算's point with the line to its foot.
void RoadPainter::paintMarks(QPainter& painter, const RoadMarks& marks) const {
  painter.setPen(QPen(kMark, 2.0));
  painter.setBrush(Qt::NoBrush);
  if (marks.forward) {
    const QPointF at = place(marks.forward->x, marks.forward->y);
    painter.drawLine(at - QPointF(6, 6), at + QPointF(6, 6));
    painter.drawLine(at - QPointF(6, -6), at + QPointF(6, -6));
  }
  if (marks.measured) {
    const QPointF at = place(marks.measured->x, marks.measured->y);
    if (marks.foot) {
      painter.setPen(QPen(kMark, 1.0, Qt::DashLine));
      painter.drawLine(at, place(marks.foot->x, marks.foot->y));
      painter.setPen(QPen(kMark, 2.0));
    }
    painter.drawEllipse(at, 5.0, 5.0);
  }
}

std::ptrdiff_t RoadPainter::stakeAt(QPointF pos, double radius) const {
  if (!m_stakes) return -1;
  std::ptrdiff_t found = -1;
  double best = radius * radius;
  for (std::size_t i = 0; i < m_stakes->size(); ++i) {
    const QPointF offset = place((*m_stakes)[i].point.x, (*m_stakes)[i].point.y) - pos;
    const double distance = QPointF::dotProduct(offset, offset);
    if (distance <= best) {
      best = distance;
      found = static_cast<std::ptrdiff_t>(i);
    }
  }
  return found;
}
