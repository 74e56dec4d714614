#pragma once

// The 导线 page's plan of the route: the adjusted legs from station to
// station, the known points as triangles and the new ones as circles with
// their names, the lines to the backsight and the foresight, zoomed and
// panned as every plan of the program is (ui/common/plan_view.h). It also
// paints, for the box beside it (closure_box.h), the coordinate closure
// drawn to its own scale: from the known end to where the traverse,
// unadjusted, ended, with fx, fy and f and a bar of its scale in mm.

#include <memory>

#include "ui/common/plan_view.h"
#include "ui/control/traverse_sheet.h"

class QPainter;

class CTraversePlan : public CPlanView {
  Q_OBJECT

 public:
  explicit CTraversePlan(QWidget* parent = nullptr);

  // Shows `shown` (or nothing), fitted where its stations changed.
  void setTraverse(std::shared_ptr<const TraverseShown> shown);

  QSize sizeHint() const override { return {420, 360}; }

  // Paints the route in `area` of `painter` at `frame`: the window's plan
  // and the printed form's sketch alike.
  static void paintRoute(QPainter& painter, const TraverseShown& shown, const PlanFrame& frame,
                         const QRectF& area);
  // The closure box (closure_box.h), at the top left of `area`, and its size.
  static QSizeF ClosureBoxSize();
  static void paintClosure(QPainter& painter, const TraverseShown& shown, const QRectF& area);
  static PlanBounds routeBounds(const TraverseShown& shown);

 protected:
  bool hasPlan() const override { return m_shown != nullptr; }
  PlanBounds planBounds() const override { return routeBounds(*m_shown); }
  void paintPlan(QPainter& painter) override;
  void paintEmpty(QPainter& painter) override;

 private:
  std::shared_ptr<const TraverseShown> m_shown;
};
