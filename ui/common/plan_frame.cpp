#include "ui/common/plan_frame.h"

#include <algorithm>

namespace {

constexpr double kMinPixelsPerMetre = 1e-5;  // a pixel per 100 km
constexpr double kMaxPixelsPerMetre = 1e5;   // a pixel per 0.01 mm
constexpr double kCoincidentScale = 1e3;     // a pixel a millimetre

}  // namespace

PlanFrame PlanFrame::fit(const PlanBounds& bounds, QSizeF size, double margin) {
  if (!(bounds.minX <= bounds.maxX)) return {0.0, 0.0, kCoincidentScale};
  const double width = std::max(1.0, size.width() - 2 * margin);
  const double height = std::max(1.0, size.height() - 2 * margin);
  const double spanX = bounds.maxX - bounds.minX;  // north, shown upright
  const double spanY = bounds.maxY - bounds.minY;
  double scale = kCoincidentScale;
  if (spanX > 0 || spanY > 0)
    scale = std::min(spanY > 0 ? width / spanY : INFINITY, spanX > 0 ? height / spanX : INFINITY);
  return {bounds.minX + spanX / 2, bounds.minY + spanY / 2,
          std::clamp(scale, kMinPixelsPerMetre, kMaxPixelsPerMetre)};
}

PlanBounds PlanFrame::groundOf(const QRectF& area) const {
  PlanBounds ground;
  const double halfX = area.height() / 2 / pixelsPerMetre;
  const double halfY = area.width() / 2 / pixelsPerMetre;
  ground.add(centreX - halfX, centreY - halfY);
  ground.add(centreX + halfX, centreY + halfY);
  return ground;
}

PlanFrame PlanFrame::zoomed(double factor, QPointF anchor, const QRectF& area) const {
  const double scale = std::clamp(pixelsPerMetre * factor, kMinPixelsPerMetre, kMaxPixelsPerMetre);
  // The ground under the anchor before and after must be the same.
  const QPointF offset = anchor - area.center();
  const double groundX = centreX - offset.y() / pixelsPerMetre;
  const double groundY = centreY + offset.x() / pixelsPerMetre;
  return {groundX + offset.y() / scale, groundY - offset.x() / scale, scale};
}

PlanFrame PlanFrame::panned(QPointF delta) const {
  return {centreX + delta.y() / pixelsPerMetre, centreY - delta.x() / pixelsPerMetre,
          pixelsPerMetre};
}
