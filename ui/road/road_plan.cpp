#include "ui/road/road_plan.h"

#include <QPainter>

namespace {

constexpr double kClickRadius = 6.0;  // how near a click must be to a stake
constexpr double kFitMargin = 40.0;   // room for the names of points at the edges

}  // namespace

CRoadPlan::CRoadPlan(QWidget* parent) : CPlanView(parent) {
  setAccessibleName(QStringLiteral("线路平面图"));
  setFitMargin(kFitMargin);
}

void CRoadPlan::setRoad(std::shared_ptr<const RoadShown> road, bool fit) {
  m_road = std::move(road);
  m_stakes.reset();
  m_marks = RoadMarks();
  if (fit)
    this->fit();
  else
    update();
}

void CRoadPlan::setStakes(std::shared_ptr<const std::vector<reading::Stake>> stakes) {
  m_stakes = std::move(stakes);
  m_marks.selectedStake = -1;
  update();
}

void CRoadPlan::setSelectedStake(std::ptrdiff_t stake) {
  m_marks.selectedStake = stake;
  if (m_stakes && stake >= 0 && static_cast<std::size_t>(stake) < m_stakes->size()) {
    const reading::Stake& shown = (*m_stakes)[stake];
    bringIntoView(shown.point.x, shown.point.y);
  }
  update();
}

void CRoadPlan::setMarks(const RoadMarks& marks) {
  const std::ptrdiff_t selected = m_marks.selectedStake;
  m_marks = marks;
  m_marks.selectedStake = selected;
  if (m_marks.forward) bringIntoView(m_marks.forward->x, m_marks.forward->y);
  if (m_marks.measured) bringIntoView(m_marks.measured->x, m_marks.measured->y);
  update();
}

PlanBounds CRoadPlan::planBounds() const { return RoadPainter::bounds(*m_road); }

void CRoadPlan::paintPlan(QPainter& painter) {
  RoadPainter(*m_road, m_stakes.get(), frame(), rect()).paint(painter, m_marks);
}

void CRoadPlan::paintEmpty(QPainter& painter) {
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(rect(), Qt::AlignCenter,
                   QStringLiteral("打开交点表或线元表后，这里显示线路平面图"));
}

void CRoadPlan::clickedAt(QPointF pos) {
  const std::ptrdiff_t stake =
      RoadPainter(*m_road, m_stakes.get(), frame(), rect()).stakeAt(pos, kClickRadius);
  if (stake < 0) return;
  setSelectedStake(stake);
  emit stakeClicked(stake);
}
