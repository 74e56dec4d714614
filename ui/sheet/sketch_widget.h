#pragma once

// The sketch of the setting-out window: the sheet's plan (or a listing's),
// fitted to the widget when a sheet arrives, with the rows ticked off in
// grey and the walking route where the window gives them. The wheel zooms about the pointer,
// dragging pans, a click on a point selects its row; from the keyboard the arrows pan,
// + and - zoom, Home fits the plan again.

#include <QWidget>
#include <memory>

#include "ui/sheet/row_order.h"
#include "ui/sheet/sketch_frame.h"

class SketchPainter;
struct SetoutSheet;

class CSketchWidget : public QWidget {
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

  const SketchFrame& frame() const { return m_frame; }

  QSize sizeHint() const override { return {480, 400}; }

 signals:
  // The user clicked the point of `row`.
  void rowClicked(std::ptrdiff_t row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void fit();
  void setFrame(const SketchFrame& frame);
  double band() const;
  SketchPainter painter() const;

  std::shared_ptr<const SetoutSheet> m_sheet;
  QString m_emptyText;
  const std::vector<bool>* m_ticked = nullptr;
  WalkedRows m_route;
  SketchFrame m_frame;
  bool m_fitted = true;  // the user has not zoomed or panned since the last fit
  std::ptrdiff_t m_selected = -1;
  QPointF m_pressAt;   // where the left button went down
  QPointF m_dragFrom;  // where the last drag step ended
  bool m_dragging = false;
};
