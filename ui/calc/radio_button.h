#pragma once

// A template's auto radio button: a click anywhere in its rectangle picks
// it, as on the dialogs the form's layout comes from, not only a click on
// the circle or the caption; and the arrow keys pick the next button of its
// group (Right, Down) or the one before (Left, Up), round the group, and
// move the focus there.

#include <QRadioButton>

class CRadioButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void pickNeighbour(int step);
};
