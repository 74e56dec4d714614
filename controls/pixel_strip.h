#pragma once

// Lines of the classic look, one logical pixel wide, as filled strips rather
// than stroked pens: on a scaled screen a strip covers the whole of each
// pixel, edge to edge, where a 1-pixel pen may land between device pixels.

class QColor;
class QPainter;
class QPoint;

namespace controls {

// The pixels from a to b, both included, on one row or one column.
void fillStrip(QPainter& painter, const QPoint& a, const QPoint& b, const QColor& color);

}  // namespace controls
