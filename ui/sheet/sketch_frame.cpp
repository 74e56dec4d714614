#include "ui/sheet/sketch_frame.h"

#include "ui/sheet/setout_sheet.h"

PlanBounds SketchBounds(const SetoutSheet& sheet) {
  PlanBounds bounds;
  bounds.add(sheet.station.x, sheet.station.y);
  if (sheet.backsightPoint) bounds.add(sheet.backsightPoint->x, sheet.backsightPoint->y);
  for (std::size_t row = 0; row < sheet.rows.size(); ++row) {
    if (!sheet.rows.hasPoint(row)) continue;
    const SheetRows::Point point = sheet.rows.point(row);
    bounds.add(point.x, point.y);
  }
  return bounds;
}
