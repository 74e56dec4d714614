#include "ui/calc/radio_button.h"

#include <QButtonGroup>
#include <QKeyEvent>

namespace {

// +1 for the next button of the group, -1 for the one before, 0 for a key
// that does neither.
int stepOf(const QKeyEvent& event) {
  if (event.modifiers() & ~Qt::KeypadModifier) return 0;
  switch (event.key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
      return 1;
    case Qt::Key_Left:
    case Qt::Key_Up:
      return -1;
    default:
      return 0;
  }
}

}  // namespace

bool CRadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void CRadioButton::keyPressEvent(QKeyEvent* event) {
  const int step = stepOf(*event);
  if (step == 0 || !group()) {
    QRadioButton::keyPressEvent(event);
    return;
  }
  pickNeighbour(step);
}

// The buttons go in template order; disabled ones are passed over.
void CRadioButton::pickNeighbour(int step) {
  const QList<QAbstractButton*> buttons = group()->buttons();
  const qsizetype count = buttons.size();
  qsizetype at = buttons.indexOf(this);
  for (qsizetype tried = 1; tried < count; ++tried) {
    at = (at + step + count) % count;
    QAbstractButton* next = buttons[at];
    if (!next->isEnabled() || next->isHidden()) continue;
    next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    next->click();
    return;
  }
}
