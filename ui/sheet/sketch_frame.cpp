#include "ui/sheet/sketch_frame.h"

#include <algorithm>
#include <cmath>

#include "ui/sheet/setout_sheet.h"

namespace {

constexpr double kMinPixelsPerMetre = 1e-5;  // a pixel per 100 km
constexpr double kMaxPixelsPerMetre = 1e5;   // a pixel per 0.01 mm
constexpr double kCoincidentScale = 1e3;     // a pixel a millimetre

struct Bounds {
  double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
  void add(double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
};

}  // namespace

SketchFrame SketchFrame::fit(const SetoutSheet& sheet, QSizeF size, double margin, double band) {
  Bounds bounds;
  if (!sheet.listed) bounds.add(sheet.station.x, sheet.station.y);
  if (sheet.backsightPoint) bounds.add(sheet.backsightPoint->x, sheet.backsightPoint->y);
  for (std::size_t row = 0; row < sheet.rows.size(); ++row) {
    if (!sheet.rows.hasPoint(row)) continue;
    const SheetRows::Point point = sheet.rows.point(row);
    bounds.add(point.x, point.y);
  }
  const double width = std::max(1.0, size.width() - 2 * margin);
  const double height = std::max(1.0, size.height() - 2 * (margin + band));
  const double spanX = bounds.maxX - bounds.minX;  // north, shown upright
  const double spanY = bounds.maxY - bounds.minY;
  double scale = kCoincidentScale;
  if (bounds.minX > bounds.maxX) return {0.0, 0.0, scale};  // no point at all
  if (spanX > 0 || spanY > 0)
    scale = std::min(spanY > 0 ? width / spanY : INFINITY, spanX > 0 ? height / spanX : INFINITY);
  return {bounds.minX + spanX / 2, bounds.minY + spanY / 2,
          std::clamp(scale, kMinPixelsPerMetre, kMaxPixelsPerMetre)};
}

SketchFrame SketchFrame::zoomed(double factor, QPointF anchor, const QRectF& area) const {
  const double scale = std::clamp(pixelsPerMetre * factor, kMinPixelsPerMetre, kMaxPixelsPerMetre);
  // The ground under the anchor before and after must be the same.
  const QPointF offset = anchor - area.center();
  const double groundX = centreX - offset.y() / pixelsPerMetre;
  const double groundY = centreY + offset.x() / pixelsPerMetre;
  return {groundX + offset.y() / scale, groundY - offset.x() / scale, scale};
}

SketchFrame SketchFrame::panned(QPointF delta) const {
  return {centreX + delta.y() / pixelsPerMetre, centreY - delta.x() / pixelsPerMetre,
          pixelsPerMetre};
}
