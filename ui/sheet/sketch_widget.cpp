#include "ui/sheet/sketch_widget.h"

#include <QPainter>

#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sketch_painter.h"

namespace {

constexpr double kClickRadius = 6.0;  // how near a click must be to a point

}  // namespace

CSketchWidget::CSketchWidget(QWidget* parent) : CPlanView(parent) {
  setAccessibleName(QStringLiteral("示意图"));
}

void CSketchWidget::setSheet(std::shared_ptr<const SetoutSheet> sheet) {
  m_sheet = std::move(sheet);
  m_selected = -1;
  fit();
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

void CSketchWidget::paintPlan(QPainter& painter) {
  SketchPainter(*m_sheet, frame(), rect()).paint(painter, m_selected);
}

void CSketchWidget::paintEmpty(QPainter& painter) {
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("打开坐标文件后，这里显示放样示意图"));
}

void CSketchWidget::clickedAt(QPointF pos) {
  const std::ptrdiff_t row = SketchPainter(*m_sheet, frame(), rect()).rowAt(pos, kClickRadius);
  if (row == SketchPainter::kNoRow) return;
  setSelectedRow(row);
  emit rowClicked(row);
}
