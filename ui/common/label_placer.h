#pragma once

// Where the names of a plan go, as a map places them: each beside its
// point, at the first of a few places around it that stays whole inside the
// plan (not cut at its edge) and covers nothing covered before it: the
// points and marks the plan draws, and the names placed before. A name that
// finds no such place is left out and counted, so that the plan can say how
// many it does not show. What is covered is kept in square cells a little
// finer than the gap between a point and its name, so that a point's own
// mark never keeps its name away. Sizes are in the painter's logical pixels.

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <cstddef>
#include <optional>
#include <vector>

class LabelPlacer {
 public:
  // The cells' size, in pixels: below the smallest gap less half a mark.
  static constexpr double kCell = 2.0;

  explicit LabelPlacer(const QRectF& area);

  // `rect` is drawn on: no name placed after goes over it.
  void cover(const QRectF& rect);

  // Whether every place around `at` for a name `height` high starts on
  // something covered (or outside the area), so that no name of any width
  // fits there: a quick look before measuring a name.
  bool crowded(QPointF at, double gap, double height) const;

  // The place of a name of `size`, `gap` pixels from `at`: right of it, left
  // (these two the other way round with `leftFirst`), above, below, then
  // above and below to the right and to the left; the names above and below
  // are a cell clear of those beside. The first place inside the area over
  // nothing covered is taken and covered; none where none is, and the name
  // counts as left out.
  std::optional<QRectF> place(QPointF at, QSizeF size, double gap, bool leftFirst = false);

  // The same, but a name that must show (the station's) takes the first
  // place inside the area where no place is free, over what is there, or
  // the first place where none is inside; it is drawn on a backing of its
  // own so that what it covers does not show through.
  QRectF placeAlways(QPointF at, QSizeF size, double gap);

  // A name that is left out without a look (where `crowded` said so).
  void leaveOut() { ++m_leftOut; }

  // How many names were left out.
  std::size_t leftOut() const { return m_leftOut; }

 private:
  static constexpr int kPlaces = 8;
  static void places(QPointF at, QSizeF size, double gap, bool leftFirst, QRectF (&out)[kPlaces]);
  bool isFree(const QRectF& rect) const;
  bool isFreeAt(QPointF at) const;
  template <class Visit>
  void forCells(const QRectF& rect, Visit visit) const;
  int column(double x) const;
  int row(double y) const;

  QRectF m_area;
  int m_columns;
  int m_rows;
  std::vector<bool> m_covered;
  std::size_t m_leftOut = 0;
};
