#include "ui/control/traverse_plan.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "core/packed_angle.h"
#include "ui/common/label_placer.h"
#include "ui/common/plan_marks.h"
#include "ui/control/control_text.h"
#include "ui/common/window_look.h"

namespace {

constexpr double kFitMargin = 40.0;  // room for the names at the edges
constexpr double kMark = 4.0;        // half a station's mark, pixels
constexpr double kNameGap = 6.0;
constexpr double kBox = 132.0;       // the closure box's side, pixels
constexpr double kSightShare = 0.12; // a sight's line, of the plan's width, where no point ends it

const QColor kLegColour(0, 0, 160);
const QColor kKnownColour(0, 0, 0);
const QColor kClosureColour(200, 0, 0);

// Where the orientation points lie: the backsight and the foresight where
// they are known, else a point along the azimuth.
struct Sights {
  std::optional<survey::PlanePoint> back, ahead;
};

double toRadians(double packed) { return survey::PackedToDegrees(packed) * std::numbers::pi / 180.0; }

Sights sightsOf(const TraverseShown& shown, double reach) {
  const survey::TraverseInput& in = shown.input;
  Sights sights;
  if (in.kind == survey::TraverseKind::kUnoriented) return sights;
  if (in.backsight) {
    sights.back = in.backsight;
  } else {
    const double a = toRadians(in.azimuthIn);
    sights.back = survey::PlanePoint{in.start.x - reach * std::cos(a), in.start.y - reach * std::sin(a)};
  }
  if (in.kind != survey::TraverseKind::kAttached || !in.end) return sights;
  if (in.foresight) {
    sights.ahead = in.foresight;
  } else {
    const double a = toRadians(in.azimuthOut);
    sights.ahead = survey::PlanePoint{in.end->x + reach * std::cos(a), in.end->y + reach * std::sin(a)};
  }
  return sights;
}

double reachOf(const TraverseShown& shown) {
  PlanBounds b;
  for (const auto& row : shown.result.rows) b.add(row.point.x, row.point.y);
  return std::max(1.0, std::max(b.maxX - b.minX, b.maxY - b.minY) * kSightShare);
}

bool isKnown(const TraverseShown& shown, std::size_t station) {
  const std::size_t last = shown.result.rows.size() - 1;
  if (station == 0) return true;
  return station == last && shown.input.kind != survey::TraverseKind::kOpen;
}

void paintTriangle(QPainter& painter, QPointF at) {
  const QPointF corners[3] = {at + QPointF(0, -kMark - 1), at + QPointF(kMark + 1, kMark),
                              at + QPointF(-kMark - 1, kMark)};
  painter.setBrush(Qt::NoBrush);
  painter.drawPolygon(corners, 3);
}

}  // namespace

CTraversePlan::CTraversePlan(QWidget* parent) : CPlanView(parent) {
  setAccessibleName(QStringLiteral("导线略图"));
  setFitMargin(kFitMargin);
}

void CTraversePlan::setTraverse(std::shared_ptr<const TraverseShown> shown) {
  const bool refit = !m_shown || !shown || m_shown->result.rows.size() != shown->result.rows.size();
  m_shown = std::move(shown);
  if (refit)
    fit();
  else
    update();
}

PlanBounds CTraversePlan::routeBounds(const TraverseShown& shown) {
  PlanBounds bounds;
  for (const auto& row : shown.result.rows) bounds.add(row.point.x, row.point.y);
  const Sights sights = sightsOf(shown, reachOf(shown));
  for (const auto& point : {sights.back, sights.ahead})
    if (point) bounds.add(point->x, point->y);
  return bounds;
}

void CTraversePlan::paintRoute(QPainter& painter, const TraverseShown& shown,
                               const PlanFrame& frame, const QRectF& area) {
  const auto& rows = shown.result.rows;
  if (rows.empty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const auto at = [&](const survey::PlanePoint& p) { return frame.toArea(p.x, p.y, area); };
  // The sights, dashed.
  const Sights sights = sightsOf(shown, reachOf(shown));
  painter.setPen(QPen(kKnownColour, 1, Qt::DashLine));
  if (sights.back) painter.drawLine(at(*sights.back), at(rows.front().point));
  if (sights.ahead) painter.drawLine(at(rows.back().point), at(*sights.ahead));
  painter.setPen(QPen(kLegColour, 1.5));
  for (std::size_t i = 0; i + 1 < rows.size(); ++i)
    painter.drawLine(at(rows[i].point), at(rows[i + 1].point));
  LabelPlacer labels(area);
  for (const auto& row : rows) {
    const QPointF p = at(row.point);
    labels.cover(QRectF(p - QPointF(kMark + 1, kMark + 1), QSizeF(2 * kMark + 2, 2 * kMark + 2)));
  }
  painter.setPen(QPen(kKnownColour, 1.2));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const QPointF p = at(rows[i].point);
    if (isKnown(shown, i)) {
      paintTriangle(painter, p);
    } else {
      painter.setBrush(Qt::white);
      painter.drawEllipse(p, kMark, kMark);
    }
  }
  painter.setBrush(Qt::NoBrush);
  const QFontMetricsF metrics(painter.font());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const QString name = shown.names.value(static_cast<qsizetype>(i));
    if (name.isEmpty()) continue;
    // A closed loop's last station is its first: one name.
    if (i + 1 == rows.size() && shown.input.kind == survey::TraverseKind::kClosed) continue;
    const QSizeF size(metrics.horizontalAdvance(name), metrics.height());
    if (const auto place = labels.place(at(rows[i].point), size, kNameGap))
      painter.drawText(*place, Qt::AlignCenter, name);
  }
  PaintLeftOut(painter, QPointF(area.right() - 4, area.bottom() - 10), labels.leftOut());
  painter.restore();
}

QSizeF CTraversePlan::ClosureBoxSize() { return {kBox, kBox + 40}; }

void CTraversePlan::paintClosure(QPainter& painter, const TraverseShown& shown, const QRectF& area) {
  const auto& closure = shown.result.coordinates;
  if (!closure) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF box(QPointF(area.left() + 8, area.top() + 8), ClosureBoxSize());
  painter.setPen(QPen(Qt::gray, 1));
  painter.setBrush(QColor(255, 255, 255, 235));
  painter.drawRect(box);
  painter.setPen(Qt::black);
  painter.drawText(box.adjusted(4, 2, -4, 0), Qt::AlignTop | Qt::AlignLeft,
                   QStringLiteral("闭合差 f = %1 m").arg(FixedText(closure->f, 3)));
  // The vector from the true end (the box's centre) to where the traverse
  // ended: fx north, fy east, at a scale that makes it some 40 pixels long.
  const QRectF field(box.left(), box.top() + 20, kBox, kBox - 20);
  const QPointF centre = field.center();
  const double fMm = closure->f * 1000.0;
  const double barMm = RoundScaleLength(std::max(1.0, fMm));
  const double pixelsPerMm = fMm > 0 ? 40.0 / std::max(fMm, barMm) : 1.0;
  const QPointF tip = centre + QPointF(closure->fy * 1000.0 * pixelsPerMm, -closure->fx * 1000.0 * pixelsPerMm);
  painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
  painter.drawLine(QPointF(centre.x(), field.top() + 6), QPointF(centre.x(), field.bottom() - 6));
  painter.drawLine(QPointF(field.left() + 6, centre.y()), QPointF(field.right() - 6, centre.y()));
  painter.setPen(QPen(kClosureColour, 2));
  painter.drawLine(centre, tip);
  if (fMm > 0) {
    const QPointF along = (tip - centre) / std::hypot(tip.x() - centre.x(), tip.y() - centre.y());
    const QPointF across(-along.y(), along.x());
    const QPointF head[3] = {tip, tip - along * 8 + across * 3.5, tip - along * 8 - across * 3.5};
    painter.setBrush(kClosureColour);
    painter.drawPolygon(head, 3);
  }
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  paintTriangle(painter, centre);
  const double bar = barMm * pixelsPerMm;
  PaintBar(painter, QPointF(box.left() + 8, box.bottom() - 22), bar);
  painter.drawText(QPointF(box.left() + 14 + bar, box.bottom() - 20),
                   QStringLiteral("%1 mm").arg(FixedText(barMm, 0)));
  painter.drawText(box.adjusted(4, 0, -4, -3), Qt::AlignBottom | Qt::AlignLeft,
                   QStringLiteral("fx %1  fy %2").arg(SignedText(closure->fx, 3), SignedText(closure->fy, 3)));
  painter.restore();
}

void CTraversePlan::paintPlan(QPainter& painter) {
  painter.fillRect(rect(), Qt::white);
  paintRoute(painter, *m_shown, frame(), rect());
  PaintNorthArrow(painter, rect());
  PaintScaleBar(painter, rect(), frame().pixelsPerMetre);
}

void CTraversePlan::paintEmpty(QPainter& painter) {
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("填好已知点与观测值后，这里画出导线"));
}
