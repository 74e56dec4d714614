#include "ui/common/plan_marks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
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

LabelGrid::LabelGrid(const QRectF& area, double cell)
    : m_area(area),
      m_cell(std::max(1.0, cell)),
      m_columns(static_cast<int>(std::ceil(area.width() / m_cell)) + 1),
      m_rows(static_cast<int>(std::ceil(area.height() / m_cell)) + 1),
      m_taken(static_cast<std::size_t>(m_columns) * m_rows, false) {}

bool LabelGrid::isFreeAt(QPointF at) const {
  const int x = column(at.x());
  const int y = row(at.y());
  return x < 0 || y < 0 || x >= m_columns || y >= m_rows ||
         !m_taken[static_cast<std::size_t>(y) * m_columns + x];
}

bool LabelGrid::isFree(const QRectF& rect) const {
  bool free = true;
  forCells(rect, [&](std::size_t cell) { free = free && !m_taken[cell]; });
  return free;
}

void LabelGrid::take(const QRectF& rect) {
  forCells(rect, [&](std::size_t cell) { m_taken[cell] = true; });
}

template <class Visit>
void LabelGrid::forCells(const QRectF& rect, Visit visit) const {
  const int left = std::max(0, column(rect.left()));
  const int right = std::min(m_columns - 1, column(rect.right()));
  const int top = std::max(0, row(rect.top()));
  const int bottom = std::min(m_rows - 1, row(rect.bottom()));
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) visit(static_cast<std::size_t>(y) * m_columns + x);
}

int LabelGrid::column(double x) const {
  return static_cast<int>(std::floor((x - m_area.left()) / m_cell));
}

int LabelGrid::row(double y) const {
  return static_cast<int>(std::floor((y - m_area.top()) / m_cell));
}
