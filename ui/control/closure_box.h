#pragma once

// The 导线 page's closure drawn to scale, in a box of its own beside the
// route (traverse_plan.h paints it): from the known end to where the
// traverse, unadjusted, ended, with f, fx and fy and a bar of its scale in
// millimetres. Empty while there is no coordinate closure (an open
// traverse, no table).

#include <QWidget>
#include <memory>

#include "ui/control/traverse_sheet.h"

class CClosureBox : public QWidget {
  Q_OBJECT

 public:
  explicit CClosureBox(QWidget* parent = nullptr);

  void setTraverse(std::shared_ptr<const TraverseShown> shown);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::shared_ptr<const TraverseShown> m_shown;
};
