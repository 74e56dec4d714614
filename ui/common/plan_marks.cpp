#include "ui/common/plan_marks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

double RoundScaleLength(double metres) {
  const double power = std::pow(10.0, std::floor(std::log10(metres)));
  for (double step : {5.0, 2.0})
    if (step * power <= metres) return step * power;
  return power;
}

void PaintArrowUp(QPainter& painter, QPointF tip) {
  const double h = kNorthArrowHeight;
  const QPointF shape[] = {tip, tip + QPointF(6, h), tip + QPointF(0, h - 5), tip + QPointF(-6, h)};
  painter.setPen(QPen(Qt::black, 1.0));
  painter.setBrush(Qt::black);
  painter.drawPolygon(shape, 4);
}

void PaintBar(QPainter& painter, QPointF left, double length) {
  const QPointF right = left + QPointF(length, 0);
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(left, right);
  painter.drawLine(left, left - QPointF(0, 5));
  painter.drawLine(right, right - QPointF(0, 5));
}

void PaintNorthArrow(QPainter& painter, const QRectF& area) {
  const QFontMetricsF metrics(painter.font());
  const QPointF tip(area.right() - 18, area.top() + 10 + metrics.height());
  PaintArrowUp(painter, tip);
  painter.drawText(QRectF(tip.x() - 20, area.top() + 6, 40, metrics.height()), Qt::AlignCenter,
                   QStringLiteral("北"));
}

void PaintScaleBar(QPainter& painter, const QRectF& area, double pixelsPerMetre) {
  const double metres = RoundScaleLength(area.width() / 5 / pixelsPerMetre);
  const double length = metres * pixelsPerMetre;
  const QPointF left(area.left() + 12, area.bottom() - 12);
  PaintBar(painter, left, length);
  const QFontMetricsF metrics(painter.font());
  painter.drawText(QRectF(left.x(), left.y() - 6 - metrics.height(), length + 60, metrics.height()),
                   Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("%1 m").arg(QString::number(metres, 'g', 6)));
}

void PaintLeftOut(QPainter& painter, QPointF right, std::size_t count) {
  if (count == 0) return;
  const QString text = QStringLiteral("另有 %1 个点名未标注").arg(count);
  const QFontMetricsF metrics(painter.font());
  const double width = metrics.horizontalAdvance(text) + 4;
  const QRectF rect(right.x() - width, right.y() - metrics.height() / 2, width, metrics.height());
  painter.fillRect(rect, Qt::white);
  painter.setPen(QColor(90, 90, 90));
  painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
}
