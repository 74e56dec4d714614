#pragma once

// Single points on the road, typed: 正算, a chainage (1234.567 or
// K1+234.567) and an offset (+ right, - left; empty: the centre line) give
// X, Y, the tangent's azimuth and, with a profile, the design height; 反算,
// X and Y give the chainage and the offset of the foot on the alignment
// and its design height. The texts are corvane-calc's (`stake`, `locate`)
// for the same decimals; what is wrong shows under the half's fields in
// red, naming the field. Enter in a field computes its half.

#include <QWidget>
#include <memory>

#include "ui/road/road_painter.h"

class QGroupBox;
class QLabel;
class QLineEdit;

class CPointPanel : public QWidget {
  Q_OBJECT

 public:
  explicit CPointPanel(QWidget* parent = nullptr);

  // Computes on `road` (none: the fields wait for a road); results already
  // shown are computed again.
  void setRoad(std::shared_ptr<const RoadShown> road);

  void OnForward();
  void OnInverse();

 signals:
  // The points to mark on the plan changed.
  void marksChanged(const RoadMarks& marks);

 private:
  QGroupBox* makeForward();
  QGroupBox* makeInverse();
  QLineEdit* field(const QString& name, bool input);
  QLabel* problemLabel(const QString& name);
  void clearForward();
  void clearInverse();

  std::shared_ptr<const RoadShown> m_road;
  QLineEdit* m_chainage;
  QLineEdit* m_offset;
  QLineEdit* m_x;
  QLineEdit* m_y;
  QLineEdit* m_north;
  QLineEdit* m_east;
  QLineEdit* m_azimuth;
  QLineEdit* m_height;
  QLineEdit* m_located;
  QLabel* m_locatedText;  // the chainage as crews write it
  QLineEdit* m_across;
  QLineEdit* m_locatedHeight;
  QLabel* m_forwardProblem;
  QLabel* m_inverseProblem;
  RoadMarks m_marks;
  bool m_forwardShown = false;
  bool m_inverseShown = false;
};
