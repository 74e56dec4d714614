#pragma once

// Where a plan (ground coordinates: X north, Y east, metres) sits in a
// drawing area: the ground point shown at the area's centre and the scale.
// North is up and east is right, on screen and on paper alike. The
// 放样表's sketch and the 线路 window's plan both draw by it.

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <cmath>

// The ground a plan covers; empty (min above max) until a point is added.
struct PlanBounds {
  double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
  void add(double x, double y) {
    minX = std::fmin(minX, x);
    maxX = std::fmax(maxX, x);
    minY = std::fmin(minY, y);
    maxY = std::fmax(maxY, y);
  }
};

struct PlanFrame {
  double centreX = 0.0;         // north, metres
  double centreY = 0.0;         // east, metres
  double pixelsPerMetre = 1.0;  // > 0

  // The frame that shows all of `bounds` in an area of `size`, keeping
  // `margin` free at each side. Bounds of one point (or none) are shown at
  // one pixel a millimetre.
  static PlanFrame fit(const PlanBounds& bounds, QSizeF size, double margin);

  // Where ground point (x north, y east) falls in `area`.
  QPointF toArea(double x, double y, const QRectF& area) const {
    return {area.center().x() + (y - centreY) * pixelsPerMetre,
            area.center().y() - (x - centreX) * pixelsPerMetre};
  }

  // The ground that `area` shows.
  PlanBounds groundOf(const QRectF& area) const;

  // The same frame scaled by `factor` about `anchor`, a point of `area` that
  // keeps showing the same ground. The scale stays within what a double can
  // draw, from a pixel per 100 km to a pixel per 0.01 mm.
  PlanFrame zoomed(double factor, QPointF anchor, const QRectF& area) const;

  // The same frame with the ground moved by `delta` pixels of `area`.
  PlanFrame panned(QPointF delta) const;
};
