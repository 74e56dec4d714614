#include "ui/sheet/sketch_frame.h"

#include <algorithm>

#include "ui/sheet/setout_sheet.h"

PlanBounds SketchBounds(const SetoutSheet& sheet) {
  PlanBounds bounds;
  if (!sheet.listed) bounds.add(sheet.station.x, sheet.station.y);
  if (sheet.backsightPoint) bounds.add(sheet.backsightPoint->x, sheet.backsightPoint->y);
  for (std::size_t row = 0; row < sheet.rows.size(); ++row) {
    if (!sheet.rows.hasPoint(row)) continue;
    const SheetRows::Point point = sheet.rows.point(row);
    bounds.add(point.x, point.y);
  }
  return bounds;
}

SketchFrame FitSketch(const SetoutSheet& sheet, QSizeF size, double margin, double band) {
  const QSizeF room(size.width(), std::max(1.0, size.height() - 2 * band));
  return PlanFrame::fit(SketchBounds(sheet), room, margin);
}
