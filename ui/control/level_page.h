#pragma once

// The 水准 tab: the levelling line's kind, whether it is counted by
// length or by stations, its grade (or a typed limit), its known
// benchmarks, its sections typed or pasted as a table, the computation
// table beside them and the closure with its limit below (red where
// over). What is typed is computed a moment after the last key, off the
// interface thread.

#include <QWidget>
#include <memory>

#include "ui/control/level_sheet.h"

class CJobRunner;
class CObservationTable;
class CTextTableModel;
class CTypingWatch;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

class CLevelPage : public QWidget {
  Q_OBJECT

 public:
  explicit CLevelPage(QWidget* parent = nullptr);
  ~CLevelPage() override;

  LevelTyped typed() const;
  void setTyped(const LevelTyped& typed);

  std::shared_ptr<const LevelShown> shown() const { return m_shown; }
  const QString& problem() const { return m_problem; }
  bool computing() const;
  void flush();

  CObservationTable& observations() const { return *m_rows; }
  CTextTableModel& tableModel() const { return *m_model; }
  QTableView& table() const { return *m_table; }
  QLabel& closures() const { return *m_closures; }

 signals:
  void shownChanged();

 private:
  QWidget* createSetup();
  void enableFields();
  void compute();
  void show(std::shared_ptr<const LevelShown> shown, const QString& problem);

  QComboBox* m_kind;
  QComboBox* m_count;
  QComboBox* m_grade;
  QLineEdit* m_limit;
  QLineEdit* m_startName;
  QLineEdit* m_startHeight;
  QLineEdit* m_endName;
  QLineEdit* m_endHeight;
  CObservationTable* m_rows;
  CTextTableModel* m_model;
  QTableView* m_table;
  QLabel* m_closures;
  CTypingWatch* m_watch;
  CJobRunner* m_computer;
  std::shared_ptr<const LevelShown> m_shown;
  QString m_problem;
  bool m_pending = false;
};
