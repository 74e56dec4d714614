#pragma once

// A template's auto radio button: a click anywhere in its rectangle picks
// it, as on the dialogs the form's layout comes from, not only a click on
// the circle or the caption.

#include <QRadioButton>

class CRadioButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override;
};
