#pragma once

// The 导线 tab: the traverse's kind, angles' side and grade (or typed
// limits), its known points (backsight, start, end, foresight, or the
// azimuths in and out), its observations typed or pasted as a table, the
// computation table beside them, the closures with their limits below it
// (red where over) and the plan of the route with the closure drawn to
// scale. What is typed is computed a moment after the last key, off the
// interface thread.

#include <QWidget>
#include <memory>

#include "ui/control/traverse_sheet.h"

class CClosureBox;
class CJobRunner;
class CObservationTable;
class CTextTableModel;
class CTraversePlan;
class CTypingWatch;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

class CTraversePage : public QWidget {
  Q_OBJECT

 public:
  explicit CTraversePage(QWidget* parent = nullptr);
  ~CTraversePage() override;

  TraverseTyped typed() const;
  // Shows `typed` in the fields and the table, and computes it.
  void setTyped(const TraverseTyped& typed);

  // The table shown (null while the fields make none) and why there is none.
  std::shared_ptr<const TraverseShown> shown() const { return m_shown; }
  const QString& problem() const { return m_problem; }
  // Whether what is typed is being computed, or waits to be.
  bool computing() const;
  // Settles what is typed now and computes it: commands read the table as
  // the fields show it.
  void flush();

  CObservationTable& observations() const { return *m_rows; }
  CTextTableModel& tableModel() const { return *m_model; }
  QTableView& table() const { return *m_table; }
  CTraversePlan& plan() const { return *m_plan; }
  QLabel& closures() const { return *m_closures; }
  CJobRunner& computer() const { return *m_computer; }

 signals:
  // A new table was shown, or the fields now make none.
  void shownChanged();

 private:
  QWidget* createSetup();
  QWidget* createKnown();
  void enableFields();
  void compute();
  void show(std::shared_ptr<const TraverseShown> shown, const QString& problem);

  QComboBox* m_kind;
  QComboBox* m_side;
  QComboBox* m_grade;
  QLineEdit* m_angleLimit;
  QLineEdit* m_relativeLimit;
  QCheckBox* m_rigorous;
  QLineEdit* m_known[4][3];  // backsight, start, end, foresight: name, X, Y
  QLineEdit* m_azimuthIn;
  QLineEdit* m_azimuthOut;
  CObservationTable* m_rows;
  CTextTableModel* m_model;
  QTableView* m_table;
  CTraversePlan* m_plan;
  CClosureBox* m_closureBox;
  QLabel* m_closures;
  CTypingWatch* m_watch;
  CJobRunner* m_computer;
  std::shared_ptr<const TraverseShown> m_shown;
  QString m_problem;
  bool m_pending = false;  // a computation started that has not shown yet
};
