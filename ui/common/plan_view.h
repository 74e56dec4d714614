#pragma once

// A plan on screen that the user zooms and pans, the same way wherever the
// program shows one (the 放样表's sketch, the 线路 window's plan): the
// wheel zooms about the pointer, dragging pans, a click (a press and a
// release without a drag) goes to clickedAt(); from the keyboard the
// arrows pan an eighth of the view, + and - zoom, Home fits the plan again.
// The plan is fitted when it changes and when the view is resized, until
// the user zooms or pans. A subclass says what the plan covers and paints
// it.

#include <QPointF>
#include <QWidget>

#include "ui/common/plan_frame.h"

class CPlanView : public QWidget {
  Q_OBJECT

 public:
  const PlanFrame& frame() const { return m_frame; }

  // Pixels kept free around a fitted plan.
  static constexpr double kFitMargin = 24.0;

 protected:
  explicit CPlanView(QWidget* parent = nullptr);

  // Whether there is a plan to show; without one the view only shows
  // paintEmpty() and takes no zoom or pan.
  virtual bool hasPlan() const = 0;
  // The ground the plan covers, for fit().
  virtual PlanBounds planBounds() const = 0;
  // Paints the whole widget (background included) in frame().
  virtual void paintPlan(QPainter& painter) = 0;
  virtual void paintEmpty(QPainter& painter) = 0;
  // A click at `pos` (widget pixels) on the plan.
  virtual void clickedAt(QPointF pos) { Q_UNUSED(pos); }

  // Fits the plan to the view, `margin` pixels free at each side (room for
  // names beside its edges), and keeps it fitted through resizes.
  void fit();
  void setFitMargin(double margin) { m_fitMargin = margin; }
  // Keeps `band` pixels more free at the top and the bottom of a fitted
  // plan, and of a point brought into view: room for bands that the
  // subclass paints over the plan.
  void setBands(double band) { m_band = band; }
  // Shows `frame`, as the user asked: no longer fitted.
  void setFrame(const PlanFrame& frame);
  // Brings ground point (x north, y east) to the middle where it lies
  // outside the view less its margin.
  void bringIntoView(double x, double y);

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  PlanFrame m_frame;
  double m_fitMargin = kFitMargin;
  double m_band = 0.0;
  bool m_fitted = true;  // the user has not zoomed or panned since the last fit
  QPointF m_pressAt;     // where the left button went down
  QPointF m_dragFrom;    // where the last drag step ended
  bool m_dragging = false;
};
