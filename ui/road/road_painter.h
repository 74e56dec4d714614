#pragma once

// Draws the plan of a road, on screen and on paper alike: the JD table's
// tangents dashed, the alignment solid (straights black, spirals green,
// arcs blue), the JDs and the main points marked and named, chainage ticks
// with their labels every 100 m (every 1, 10 km where 100 m would crowd
// them), the stakes, the points of a single computation, a north arrow and
// a scale bar. Names go where they cover no ring, stake or name and stay
// whole inside the area (LabelPlacer), or are left out and counted at the
// bottom right. Only what lies in the area is computed: the elements whose
// boxes reach into it, drawn to a quarter of a pixel; a 50 km road and its
// stakes every 20 m draw within a few milliseconds at any zoom (bench/road).

#include <QPointF>
#include <QRectF>
#include <cstddef>
#include <optional>
#include <vector>

#include "ui/common/plan_frame.h"
#include "ui/road/road_look.h"

class QPainter;

// What the window marks on the plan besides the road.
struct RoadMarks {
  struct Ground {
    double x, y;  // north, east, metres
  };
  std::optional<Ground> forward;   // the point of a 正算
  std::optional<Ground> measured;  // the point of a 反算
  std::optional<Ground> foot;      // and its foot on the alignment
  std::ptrdiff_t selectedStake = -1;
};

class RoadPainter {
 public:
  RoadPainter(const RoadShown& road, const std::vector<reading::Stake>* stakes,
              const PlanFrame& frame, const QRectF& area);

  // Paints the whole area, background included, names in the painter's font.
  void paint(QPainter& painter, const RoadMarks& marks) const;

  // The stake nearest to `pos` within `radius` pixels; -1 where none is.
  std::ptrdiff_t stakeAt(QPointF pos, double radius) const;

  // The ground of the alignment, its JDs included.
  static PlanBounds bounds(const RoadShown& road);

 private:
  QPointF place(double x, double y) const { return m_frame.toArea(x, y, m_area); }
  bool inArea(QPointF at) const { return m_area.contains(at); }
  void paintTangents(QPainter& painter) const;
  void paintAlignment(QPainter& painter) const;
  void paintTicks(QPainter& painter, class LabelPlacer& placer) const;
  void paintStakes(QPainter& painter, class LabelPlacer& placer, std::ptrdiff_t selected) const;
  void paintPoints(QPainter& painter, class LabelPlacer& placer) const;
  void paintMarks(QPainter& painter, const RoadMarks& marks) const;

  const RoadShown& m_road;
  const std::vector<reading::Stake>* m_stakes;
  PlanFrame m_frame;
  QRectF m_area;
  PlanBounds m_ground;  // what the area shows
};
