#pragma once

// The sketch of the setting-out window: the sheet's plan, fitted to the
// widget when a sheet arrives, zoomed and panned as every plan of the
// program is (ui/common/plan_view.h); a click on a point selects its row.

#include <memory>

#include "ui/common/plan_view.h"
#include "ui/sheet/sketch_frame.h"

struct SetoutSheet;

class CSketchWidget : public CPlanView {
  Q_OBJECT

 public:
  explicit CSketchWidget(QWidget* parent = nullptr);

  // Shows `sheet` (or nothing), fitted, with no row selected.
  void setSheet(std::shared_ptr<const SetoutSheet> sheet);

  // Highlights `row` (-1 for none) and brings it into view when it is not.
  void setSelectedRow(std::ptrdiff_t row);
  std::ptrdiff_t selectedRow() const { return m_selected; }

  QSize sizeHint() const override { return {480, 400}; }

 signals:
  // The user clicked the point of `row`.
  void rowClicked(std::ptrdiff_t row);

 protected:
  bool hasPlan() const override { return m_sheet != nullptr; }
  PlanBounds planBounds() const override;
  void paintPlan(QPainter& painter) override;
  void paintEmpty(QPainter& painter) override;
  void clickedAt(QPointF pos) override;

 private:
  std::shared_ptr<const SetoutSheet> m_sheet;
  std::ptrdiff_t m_selected = -1;
};
