#pragma once

// Where the plan of a setting-out sheet sits in a drawing area: the ground
// point shown at the area's centre and the scale. North is up and east is
// right, on screen and on paper alike.

#include <QPointF>
#include <QRectF>

struct SetoutSheet;

struct SketchFrame {
  double centreX = 0.0;         // north, metres
  double centreY = 0.0;         // east, metres
  double pixelsPerMetre = 1.0;  // > 0

  // The frame that shows the station, the backsight point and every design
  // point of `sheet` (a listing: its points) in an area of `size`, keeping
  // `margin` free at each side and `band` more at the top and the bottom
  // (SketchPainter::BandHeight). A sheet whose points all coincide is shown
  // at one pixel a millimetre.
  static SketchFrame fit(const SetoutSheet& sheet, QSizeF size, double margin, double band = 0.0);

  // Where ground point (x north, y east) falls in `area`.
  QPointF toArea(double x, double y, const QRectF& area) const {
    return {area.center().x() + (y - centreY) * pixelsPerMetre,
            area.center().y() - (x - centreX) * pixelsPerMetre};
  }

  // The same frame scaled by `factor` about `anchor`, a point of `area` that
  // keeps showing the same ground. The scale stays within what a double can
  // draw, from a pixel per 100 km to a pixel per 0.01 mm.
  SketchFrame zoomed(double factor, QPointF anchor, const QRectF& area) const;

  // The same frame with the ground moved by `delta` pixels of `area`.
  SketchFrame panned(QPointF delta) const;
};
