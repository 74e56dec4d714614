#include "ui/common/plan_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kWheelStep = 1.25;      // zoom of one notch of the wheel or one + key
constexpr double kKeyPanFraction = 8.0;  // an arrow key pans an eighth of the view

}  // namespace

CPlanView::CPlanView(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(160, 120);
}

void CPlanView::fit() {
  if (hasPlan()) {
    const QSizeF room(width(), std::max(1.0, height() - 2 * m_band));
    m_frame = PlanFrame::fit(planBounds(), room, m_fitMargin);
  }
  m_fitted = true;
  update();
}

void CPlanView::setFrame(const PlanFrame& frame) {
  m_frame = frame;
  m_fitted = false;
  update();
}

void CPlanView::bringIntoView(double x, double y) {
  const QRectF area = rect();
  const double band = kFitMargin + m_band;
  if (area.adjusted(kFitMargin, band, -kFitMargin, -band)
          .contains(m_frame.toArea(x, y, area)))
    return;
  m_frame.centreX = x;
  m_frame.centreY = y;
  m_fitted = false;
  update();
}

void CPlanView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (hasPlan())
    paintPlan(painter);
  else
    paintEmpty(painter);
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void CPlanView::resizeEvent(QResizeEvent*) {
  if (m_fitted) fit();
}

void CPlanView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0 || !hasPlan()) return;
  setFrame(m_frame.zoomed(std::pow(kWheelStep, notches), event->position(), rect()));
}

void CPlanView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  m_pressAt = m_dragFrom = event->position();
  m_dragging = false;
}

void CPlanView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || !hasPlan()) return;
  if (!m_dragging &&
      (event->position() - m_pressAt).manhattanLength() < QApplication::startDragDistance())
    return;
  if (!m_dragging) setCursor(Qt::ClosedHandCursor);
  m_dragging = true;
  setFrame(m_frame.panned(event->position() - m_dragFrom));
  m_dragFrom = event->position();
}

void CPlanView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  if (m_dragging) {
    unsetCursor();
    m_dragging = false;
    return;
  }
  if (hasPlan()) clickedAt(event->position());
}

void CPlanView::keyPressEvent(QKeyEvent* event) {
  if (!hasPlan()) return QWidget::keyPressEvent(event);
  const QRectF area = rect();
  const double stepX = area.width() / kKeyPanFraction;
  const double stepY = area.height() / kKeyPanFraction;
  switch (event->key()) {
    case Qt::Key_Left:
      return setFrame(m_frame.panned({stepX, 0}));
    case Qt::Key_Right:
      return setFrame(m_frame.panned({-stepX, 0}));
    case Qt::Key_Up:
      return setFrame(m_frame.panned({0, stepY}));
    case Qt::Key_Down:
      return setFrame(m_frame.panned({0, -stepY}));
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return setFrame(m_frame.zoomed(kWheelStep, area.center(), area));
    case Qt::Key_Minus:
      return setFrame(m_frame.zoomed(1 / kWheelStep, area.center(), area));
    case Qt::Key_Home:
      return fit();
    default:
      return QWidget::keyPressEvent(event);
  }
}
