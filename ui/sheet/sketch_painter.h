#pragma once

// Draws the plan of a setting-out sheet, on screen and on paper alike: the
// station, the backsight and its direction, every design point with its name
// where it finds a place (LabelPlacer: beside its point, whole, over no point,
// mark or name; the station's always, over every other), the points ticked off in grey, the walking
// route as a thin line, the ray to the selected point; a north arrow in a
// band along the top and a scale bar in one along the bottom, where no point
// or name goes, and in the bottom one how many names are left out. A listing (no station yet) draws its points and, in the top
// band, a line saying to choose the station. Sizes are in the painter's
// logical pixels, so a printer that scales its painter gets the same
// picture.

#include <QColor>
#include <QFont>
#include <QString>
#include <QRectF>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/sheet/sketch_frame.h"

class LabelPlacer;
class QFontMetricsF;
class QPainter;
struct SetoutSheet;

// What the window draws over the sheet: the rows ticked off (as many as the
// rows, or none) and the walking route, rows in the order walked.
struct SketchMarks {
  const std::vector<bool>* ticked = nullptr;
  const std::vector<std::uint32_t>* route = nullptr;
};

class SketchPainter {
 public:
  // No row is selected.
  static constexpr std::ptrdiff_t kNoRow = -1;

  // `font` is the one the painter will paint the names with (the bands
  // are made to hold its text).
  SketchPainter(const SetoutSheet& sheet, const SketchFrame& frame, const QRectF& area,
                SketchMarks marks = {}, const QFont& font = QFont());

  // The height of the bands along the top and the bottom, in a font of
  // `metrics`: a fitted plan keeps this much more free at both.
  static double BandHeight(const QFontMetricsF& metrics);

  // Paints the whole area, background included, with the painter's font for
  // the names; `selected` is a row of the sheet or kNoRow.
  void paint(QPainter& painter, std::ptrdiff_t selected) const;

  // A name as the plan draws it.
  struct Label {
    QRectF rect;
    QString text;
    QColor colour;
    bool backed = false;  // on white of its own, over what lies under it
  };
  struct Labels {
    std::vector<Label> drawn;  // in the order they were placed
    std::size_t leftOut = 0;   // the points' (and the backsight's) names not drawn
  };

  // The names `paint` draws with a font of `metrics`, and how many it
  // leaves out.
  Labels labels(const QFontMetricsF& metrics, std::ptrdiff_t selected) const;

  // The row whose point lies nearest to `pos`, within `radius` pixels; kNoRow
  // when none does. Of points drawn on top of each other, the last row wins,
  // as it is the one drawn on top.
  std::ptrdiff_t rowAt(QPointF pos, double radius) const;

 private:
  QPointF place(double x, double y) const { return m_frame.toArea(x, y, m_area); }
  // Whether `at` is in the plan: the area between the bands.
  bool inArea(QPointF at) const {
    return at.x() >= m_plan.left() && at.x() < m_plan.right() && at.y() >= m_plan.top() &&
           at.y() < m_plan.bottom();
  }
  bool ticked(std::size_t row) const {
    return m_marks.ticked && row < m_marks.ticked->size() && (*m_marks.ticked)[row];
  }
  void paintBacksight(QPainter& painter) const;
  struct Placed {
    QPointF at;  // in the area
    std::size_t row;
  };

  std::vector<Placed> placePoints() const;
  void paintPoints(QPainter& painter, const std::vector<Placed>& placed) const;
  void paintRoute(QPainter& painter) const;
  void paintSelection(QPainter& painter, std::ptrdiff_t selected) const;
  void paintStation(QPainter& painter) const;
  Labels placeLabels(const QFontMetricsF& metrics, const std::vector<Placed>& placed,
                     std::ptrdiff_t selected) const;
  void placeDesignNames(const QFontMetricsF& metrics, const std::vector<Placed>& placed,
                        std::ptrdiff_t selected, LabelPlacer& placer, Labels& labels) const;
  void paintLabels(QPainter& painter, const Labels& labels) const;
  void paintBands(QPainter& painter, std::size_t leftOut) const;
  void paintNorthArrow(QPainter& painter) const;
  void paintScaleBar(QPainter& painter) const;

  const SetoutSheet& m_sheet;
  SketchFrame m_frame;
  QRectF m_area;
  SketchMarks m_marks;
  QRectF m_plan;  // the area between the bands
};
