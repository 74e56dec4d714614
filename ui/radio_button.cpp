#include "ui/radio_button.h"

bool CRadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }
