#include "ui/control/closure_box.h"

#include <QPainter>

#include "ui/control/traverse_plan.h"

CClosureBox::CClosureBox(QWidget* parent) : QWidget(parent) {
  setAccessibleName(QStringLiteral("闭合差图"));
  setFixedSize(sizeHint());
}

QSize CClosureBox::sizeHint() const {
  const QSize box = CTraversePlan::ClosureBoxSize().toSize();
  return box + QSize(16, 16);
}

void CClosureBox::setTraverse(std::shared_ptr<const TraverseShown> shown) {
  m_shown = std::move(shown);
  update();
}

void CClosureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (m_shown) CTraversePlan::paintClosure(painter, *m_shown, rect());
}
