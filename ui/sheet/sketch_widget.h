#pragma once

// The sketch of the setting-out window: the sheet's plan (or a listing's),
// fitted to the widget when a sheet arrives, with the rows ticked off in
// grey and the walking route where the window gives them; zoomed and panned
// as every plan of the program is (ui/common/plan_view.h), the north arrow
// and the scale bar on bands of their own; a click on a point selects its
// row.

#include <memory>
#include <vector>

#include "ui/common/plan_view.h"
#include "ui/sheet/ordered_rows.h"
#include "ui/sheet/sketch_frame.h"

class SketchPainter;
struct SetoutSheet;

class CSketchWidget : public CPlanView {
  Q_OBJECT

 public:
  explicit CSketchWidget(QWidget* parent = nullptr);

  // Shows `sheet` (or nothing), fitted, with no row selected.
  void setSheet(std::shared_ptr<const SetoutSheet> sheet);
  // What shows where there is no sheet.
  void setEmptyText(const QString& text);
  const QString& emptyText() const { return m_emptyText; }

  // The rows ticked off (one flag a row of the sheet; the vector outlives
  // the sketch, and update() shows its changes), or null.
  void setTicked(const std::vector<bool>* ticked);
  // The walking route to draw, or null.
  void setRoute(WalkedRows route);
  const WalkedRows& route() const { return m_route; }

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
  SketchPainter painter() const;

  std::shared_ptr<const SetoutSheet> m_sheet;
  QString m_emptyText;
  const std::vector<bool>* m_ticked = nullptr;
  WalkedRows m_route;
  std::ptrdiff_t m_selected = -1;
};
