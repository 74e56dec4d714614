#pragma once

// The stake generator's fields: the interval (间距), the offsets of side
// stakes ("-10,10", + right), whether the main points are stakes, and a
// chainage range (empty: the whole road); 生成 lists the stakes, 送到放样表
// hands them to a new 放样表. What is wrong with a field shows in red.

#include <QWidget>

#include "reader/road/stake_list.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CStakePanel : public QWidget {
  Q_OBJECT

 public:
  explicit CStakePanel(QWidget* parent = nullptr);

  // The fields read into `range`; false, the problem shown, where one is
  // wrong.
  bool readRange(reading::StakeRange& range);

  // Sets the fields (the command line's --every and --offsets).
  void setRange(double interval, const std::vector<double>& offsets);

  void setProblem(const QString& problem);
  // Whether there are stakes to hand over.
  void setStakesShown(bool shown);

 signals:
  void generateRequested();
  void sendRequested();

 private:
  QLineEdit* m_interval;
  QLineEdit* m_offsets;
  QCheckBox* m_mainPoints;
  QLineEdit* m_from;
  QLineEdit* m_to;
  QPushButton* m_send;
  QLabel* m_problem;
};
