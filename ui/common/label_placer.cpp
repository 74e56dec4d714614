#include "ui/common/label_placer.h"

#include <algorithm>
#include <cmath>

LabelPlacer::LabelPlacer(const QRectF& area)
    : m_area(area),
      m_columns(std::max(1, static_cast<int>(std::ceil(area.width() / kCell)) + 1)),
      m_rows(std::max(1, static_cast<int>(std::ceil(area.height() / kCell)) + 1)),
      m_covered(static_cast<std::size_t>(m_columns) * m_rows, false) {}

void LabelPlacer::cover(const QRectF& rect) {
  forCells(rect, [&](std::size_t cell) { m_covered[cell] = true; });
}

// Three rows of places: beside the point, level with it; above it and
// below it, a cell clear of the row beside it. In each, the right and the
// left place keep `gap` from the point; the middle one is centred on it.
void LabelPlacer::places(QPointF at, QSizeF size, double gap, bool leftFirst,
                         QRectF (&out)[kPlaces]) {
  const double w = size.width();
  const double h = size.height();
  const double rightX = at.x() + gap;
  const double leftX = at.x() - gap - w;
  const double middleX = at.x() - w / 2;
  const double levelY = at.y() - h / 2;
  const double aboveY = levelY - kCell - h;
  const double belowY = levelY + h + kCell;
  out[0] = QRectF(leftFirst ? leftX : rightX, levelY, w, h);
  out[1] = QRectF(leftFirst ? rightX : leftX, levelY, w, h);
  out[2] = QRectF(middleX, aboveY, w, h);
  out[3] = QRectF(middleX, belowY, w, h);
  out[4] = QRectF(rightX, aboveY, w, h);
  out[5] = QRectF(rightX, belowY, w, h);
  out[6] = QRectF(leftX, aboveY, w, h);
  out[7] = QRectF(leftX, belowY, w, h);
}

bool LabelPlacer::crowded(QPointF at, double gap, double height) const {
  // Where each place is nearest the point: the middle of its near side,
  // or its near corner.
  const double x = at.x();
  const double y = at.y();
  const double above = y - height / 2 - kCell;
  const double below = y + height / 2 + kCell;
  for (const QPointF start : {QPointF(x + gap, y), QPointF(x - gap, y), QPointF(x, above),
                              QPointF(x, below), QPointF(x + gap, above), QPointF(x + gap, below),
                              QPointF(x - gap, above), QPointF(x - gap, below)})
    if (isFreeAt(start)) return false;
  return true;
}

std::optional<QRectF> LabelPlacer::place(QPointF at, QSizeF size, double gap, bool leftFirst) {
  QRectF candidates[kPlaces];
  places(at, size, gap, leftFirst, candidates);
  for (const QRectF& rect : candidates) {
    if (!m_area.contains(rect) || !isFree(rect)) continue;
    cover(rect);
    return rect;
  }
  ++m_leftOut;
  return std::nullopt;
}

QRectF LabelPlacer::placeAlways(QPointF at, QSizeF size, double gap) {
  QRectF candidates[kPlaces];
  places(at, size, gap, false, candidates);
  for (const QRectF& rect : candidates) {
    if (!m_area.contains(rect) || !isFree(rect)) continue;
    cover(rect);
    return rect;
  }
  const QRectF* inside = std::find_if(std::begin(candidates), std::end(candidates),
                                      [&](const QRectF& rect) { return m_area.contains(rect); });
  const QRectF rect = inside != std::end(candidates) ? *inside : candidates[0];
  cover(rect);
  return rect;
}

bool LabelPlacer::isFree(const QRectF& rect) const {
  const int left = std::max(0, column(rect.left()));
  const int right = std::min(m_columns - 1, column(rect.right()));
  const int top = std::max(0, row(rect.top()));
  const int bottom = std::min(m_rows - 1, row(rect.bottom()));
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      if (m_covered[static_cast<std::size_t>(y) * m_columns + x]) return false;
  return true;
}

bool LabelPlacer::isFreeAt(QPointF at) const {
  const int x = column(at.x());
  const int y = row(at.y());
  if (x < 0 || y < 0 || x >= m_columns || y >= m_rows) return false;  // outside: no place starts there
  return !m_covered[static_cast<std::size_t>(y) * m_columns + x];
}

template <class Visit>
void LabelPlacer::forCells(const QRectF& rect, Visit visit) const {
  const int left = std::max(0, column(rect.left()));
  const int right = std::min(m_columns - 1, column(rect.right()));
  const int top = std::max(0, row(rect.top()));
  const int bottom = std::min(m_rows - 1, row(rect.bottom()));
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) visit(static_cast<std::size_t>(y) * m_columns + x);
}

int LabelPlacer::column(double x) const {
  return static_cast<int>(std::floor((x - m_area.left()) / kCell));
}

int LabelPlacer::row(double y) const {
  return static_cast<int>(std::floor((y - m_area.top()) / kCell));
}
