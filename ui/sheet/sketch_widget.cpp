#include "ui/sheet/sketch_widget.h"

#include <QFontMetricsF>
#include <QPainter>

#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sketch_painter.h"

namespace {

constexpr double kClickRadius = 6.0;  // how near a click must be to a point

}  // namespace

CSketchWidget::CSketchWidget(QWidget* parent)
    : CPlanView(parent), m_emptyText(QStringLiteral("打开坐标文件后，这里显示放样示意图")) {
  setAccessibleName(QStringLiteral("示意图"));
  setBands(SketchPainter::BandHeight(QFontMetricsF(font())));
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

void CSketchWidget::setSelectedRow(std::ptrdiff_t row) {
  m_selected = row;
  if (m_sheet && row >= 0 && static_cast<std::size_t>(row) < m_sheet->rows.size() &&
      m_sheet->rows.hasPoint(row)) {
    const SheetRows::Point ground = m_sheet->rows.point(row);
    bringIntoView(ground.x, ground.y);
  }
  update();
}

PlanBounds CSketchWidget::planBounds() const { return SketchBounds(*m_sheet); }

SketchPainter CSketchWidget::painter() const {
  return SketchPainter(*m_sheet, frame(), rect(), {m_ticked, m_route.get()}, font());
}

void CSketchWidget::paintPlan(QPainter& painter) { this->painter().paint(painter, m_selected); }

void CSketchWidget::paintEmpty(QPainter& painter) {
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
}

void CSketchWidget::clickedAt(QPointF pos) {
  const std::ptrdiff_t row = painter().rowAt(pos, kClickRadius);
  if (row == SketchPainter::kNoRow) return;
  setSelectedRow(row);
  emit rowClicked(row);
}
