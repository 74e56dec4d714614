#pragma once

// Draws the plan of a setting-out sheet, on screen and on paper alike: the
// station, the backsight and its direction, every design point with its name
// where names do not overlap, the ray to the selected point, a north arrow
// and a scale bar. Sizes are in the painter's logical pixels, so a printer
// that scales its painter gets the same picture.

#include <QRectF>
#include <cstddef>
#include <vector>

#include "ui/sheet/sketch_frame.h"

class QPainter;
struct SetoutSheet;

class SketchPainter {
 public:
  // No row is selected.
  static constexpr std::ptrdiff_t kNoRow = -1;

  SketchPainter(const SetoutSheet& sheet, const SketchFrame& frame, const QRectF& area);

  // Paints the whole area, background included, with the painter's font for
  // the names; `selected` is a row of the sheet or kNoRow.
  void paint(QPainter& painter, std::ptrdiff_t selected) const;

  // The row whose point lies nearest to `pos`, within `radius` pixels; kNoRow
  // when none does. Of points drawn on top of each other, the last row wins,
  // as it is the one drawn on top.
  std::ptrdiff_t rowAt(QPointF pos, double radius) const;

 private:
  QPointF place(double x, double y) const { return m_frame.toArea(x, y, m_area); }
  bool inArea(QPointF at) const {
    return at.x() >= m_area.left() && at.x() < m_area.right() && at.y() >= m_area.top() &&
           at.y() < m_area.bottom();
  }
  void paintBacksight(QPainter& painter) const;
  struct Placed {
    QPointF at;  // in the area
    std::size_t row;
  };

  std::vector<Placed> placePoints() const;
  void paintPoints(QPainter& painter, const std::vector<Placed>& placed) const;
  void paintSelection(QPainter& painter, std::ptrdiff_t selected) const;
  void paintStation(QPainter& painter) const;
  void paintLabels(QPainter& painter, const std::vector<Placed>& placed,
                   std::ptrdiff_t selected) const;

  const SetoutSheet& m_sheet;
  SketchFrame m_frame;
  QRectF m_area;
};
