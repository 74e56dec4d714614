#include "controls/pixel_strip.h"

#include <QPainter>
#include <QPalette>
#include <QRect>
#include <algorithm>

namespace controls {
namespace {

// Two strips meeting at a corner: from a to the corner and on to b.
void corner(QPainter& painter, const QPoint& a, const QPoint& corner, const QPoint& b,
            const QColor& color) {
  fillStrip(painter, a, corner, color);
  fillStrip(painter, corner, b, color);
}

}  // namespace

void fillStrip(QPainter& painter, const QPoint& a, const QPoint& b, const QColor& color) {
  painter.fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                         QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                   color);
}

void fillWinPanel(QPainter& painter, const QRect& rect, const QPalette& palette, bool sunken) {
  if (rect.width() < 2 || rect.height() < 2) return;
  const QColor outerTopLeft = sunken ? palette.dark().color() : palette.light().color();
  const QColor outerBottomRight = sunken ? palette.light().color() : palette.shadow().color();
  const QColor innerTopLeft = sunken ? palette.shadow().color() : palette.midlight().color();
  const QColor innerBottomRight = sunken ? palette.button().color() : palette.dark().color();
  const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
  corner(painter, {l, b - 1}, {l, t}, {r - 1, t}, outerTopLeft);
  corner(painter, {l, b}, {r, b}, {r, t}, outerBottomRight);
  if (rect.width() <= 4 || rect.height() <= 4) return;
  corner(painter, {l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1}, innerTopLeft);
  corner(painter, {l + 1, b - 1}, {r - 1, b - 1}, {r - 1, t + 1}, innerBottomRight);
}

}  // namespace controls
