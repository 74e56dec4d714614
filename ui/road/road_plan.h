#pragma once

// The 线路 window's plan of the road (road_painter.h), zoomed and panned as
// every plan of the program is (ui/common/plan_view.h); a click on a stake
// selects its row.

#include <memory>
#include <optional>
#include <vector>

#include "ui/common/plan_view.h"
#include "ui/road/road_painter.h"

class CRoadPlan : public CPlanView {
  Q_OBJECT

 public:
  explicit CRoadPlan(QWidget* parent = nullptr);

  // Shows `road` (or nothing) without stakes or marks, fitted where `fit`
  // (a new road), else where the plan stands.
  void setRoad(std::shared_ptr<const RoadShown> road, bool fit = true);
  void setStakes(std::shared_ptr<const std::vector<reading::Stake>> stakes);
  // Marks the selected stake (-1: none) and brings it into view.
  void setSelectedStake(std::ptrdiff_t stake);
  void setMarks(const RoadMarks& marks);
  const RoadMarks& marks() const { return m_marks; }

  QSize sizeHint() const override { return {520, 440}; }

 signals:
  void stakeClicked(std::ptrdiff_t stake);

 protected:
  bool hasPlan() const override { return m_road != nullptr; }
  PlanBounds planBounds() const override;
  void paintPlan(QPainter& painter) override;
  void paintEmpty(QPainter& painter) override;
  void clickedAt(QPointF pos) override;

 private:
  std::shared_ptr<const RoadShown> m_road;
  std::shared_ptr<const std::vector<reading::Stake>> m_stakes;
  RoadMarks m_marks;
};
