#pragma once

// Lines of the classic look, one logical pixel wide, as filled strips rather
// than stroked pens: on a scaled screen a strip covers the whole of each
// pixel, edge to edge, where a 1-pixel pen may land between device pixels.

class QColor;
class QPainter;
class QPalette;
class QPoint;
class QRect;

namespace controls {

// The pixels from a to b, both included, on one row or one column.
void fillStrip(QPainter& painter, const QPoint& a, const QPoint& b, const QColor& color);

// The two-pixel 3-D panel of the classic look just inside rect, in strips:
// an outer and an inner edge, each lit at the top left and shaded at the
// bottom right, or the other way round for a sunken panel. A rectangle of
// 4 pixels or less across gets the outer edge only, one of less than 2
// nothing.
void fillWinPanel(QPainter& painter, const QRect& rect, const QPalette& palette, bool sunken);

}  // namespace controls
