#pragma once

// What every plan the program draws has beside its content: a north arrow
// at the top right, a scale bar at the bottom left, and names that give way
// to each other (LabelGrid). Sizes are in the painter's logical pixels, so
// a printer that scales its painter gets the same picture.

#include <QPointF>
#include <QRectF>
#include <vector>

class QPainter;

// The largest 1, 2 or 5 times a power of ten metres not above `metres`:
// the length of a scale bar.
double RoundScaleLength(double metres);

// The height of a north arrow, in pixels (12 wide).
inline constexpr double kNorthArrowHeight = 18.0;

// A black arrow pointing north (up), its tip at `tip`.
void PaintArrowUp(QPainter& painter, QPointF tip);

// A scale bar of `length` pixels from `left` to the right, with a tick up
// at each end.
void PaintBar(QPainter& painter, QPointF left, double length);

// A north arrow, "北" over it, at the top right of `area`.
void PaintNorthArrow(QPainter& painter, const QRectF& area);

// A bar of a round length (1, 2 or 5 times a power of ten metres) near a
// fifth of the area's width, with its length over it, at the bottom left.
void PaintScaleBar(QPainter& painter, const QRectF& area, double pixelsPerMetre);

// Which parts of an area names and marks already cover, in small square
// cells, so that a name is drawn only where it overlaps none drawn before.
class LabelGrid {
 public:
  LabelGrid(const QRectF& area, double cell);

  // Whether the cell under `at`, a point of the area, is free.
  bool isFreeAt(QPointF at) const;
  bool isFree(const QRectF& rect) const;
  void take(const QRectF& rect);

 private:
  template <class Visit>
  void forCells(const QRectF& rect, Visit visit) const;
  int column(double x) const;
  int row(double y) const;

  QRectF m_area;
  double m_cell;
  int m_columns;
  int m_rows;
  std::vector<bool> m_taken;
};
