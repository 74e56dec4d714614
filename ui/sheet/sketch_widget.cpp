#include "ui/sheet/sketch_widget.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <cmath>

#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sketch_painter.h"

namespace {

constexpr double kFitMargin = 24.0;      // pixels kept free around the fitted plan
constexpr double kWheelStep = 1.25;      // zoom of one notch of the wheel or one + key
constexpr double kClickRadius = 6.0;     // how near a click must be to a point
constexpr double kKeyPanFraction = 8.0;  // an arrow key pans an eighth of the view

}  // namespace

CSketchWidget::CSketchWidget(QWidget* parent)
    : QWidget(parent), m_emptyText(QStringLiteral("打开坐标文件后，这里显示放样示意图")) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QStringLiteral("示意图"));
  setMinimumSize(160, 120);
}

void CSketchWidget::setSheet(std::shared_ptr<const SetoutSheet> sheet) {
  m_sheet = std::move(sheet);
  m_selected = -1;
  fit();
}

void CSketchWidget::setEmptyText(const QString& text) {
  m_emptyText = text;
  update();
}

void CSketchWidget::setTicked(const std::vector<bool>* ticked) {
  m_ticked = ticked;
  update();
}

void CSketchWidget::setRoute(WalkedRows route) {
  m_route = std::move(route);
  update();
}

double CSketchWidget::band() const { return SketchPainter::BandHeight(QFontMetricsF(font())); }

SketchPainter CSketchWidget::painter() const {
  return SketchPainter(*m_sheet, m_frame, rect(), {m_ticked, m_route.get()}, font());
}

void CSketchWidget::setSelectedRow(std::ptrdiff_t row) {
  m_selected = row;
  if (m_sheet && row >= 0 && static_cast<std::size_t>(row) < m_sheet->rows.size() &&
      m_sheet->rows.hasPoint(row)) {
    const SheetRows::Point ground = m_sheet->rows.point(row);
    const QRectF area = rect();
    const double margin = kFitMargin + band();
    if (!area.adjusted(kFitMargin, margin, -kFitMargin, -margin)
             .contains(m_frame.toArea(ground.x, ground.y, area))) {
      m_frame.centreX = ground.x;
      m_frame.centreY = ground.y;
      m_fitted = false;
    }
  }
  update();
}

void CSketchWidget::fit() {
  if (m_sheet) m_frame = SketchFrame::fit(*m_sheet, size(), kFitMargin, band());
  m_fitted = true;
  update();
}

void CSketchWidget::setFrame(const SketchFrame& frame) {
  m_frame = frame;
  m_fitted = false;
  update();
}

void CSketchWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (m_sheet) {
    this->painter().paint(painter, m_selected);
  } else {
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     m_emptyText);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void CSketchWidget::resizeEvent(QResizeEvent*) {
  if (m_fitted) fit();
}

void CSketchWidget::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0 || !m_sheet) return;
  setFrame(m_frame.zoomed(std::pow(kWheelStep, notches), event->position(), rect()));
}

void CSketchWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  m_pressAt = m_dragFrom = event->position();
  m_dragging = false;
}

void CSketchWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || !m_sheet) return;
  if (!m_dragging &&
      (event->position() - m_pressAt).manhattanLength() < QApplication::startDragDistance())
    return;
  if (!m_dragging) setCursor(Qt::ClosedHandCursor);
  m_dragging = true;
  setFrame(m_frame.panned(event->position() - m_dragFrom));
  m_dragFrom = event->position();
}

void CSketchWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  if (m_dragging) {
    unsetCursor();
    m_dragging = false;
    return;
  }
  if (!m_sheet) return;
  const std::ptrdiff_t row = painter().rowAt(event->position(), kClickRadius);
  if (row == SketchPainter::kNoRow) return;
  setSelectedRow(row);
  emit rowClicked(row);
}

void CSketchWidget::keyPressEvent(QKeyEvent* event) {
  if (!m_sheet) return QWidget::keyPressEvent(event);
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
