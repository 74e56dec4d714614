#include "controls/pixel_strip.h"

#include <QPainter>
#include <QRect>
#include <algorithm>

namespace controls {

void fillStrip(QPainter& painter, const QPoint& a, const QPoint& b, const QColor& color) {
  painter.fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                         QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                   color);
}

}  // namespace controls
