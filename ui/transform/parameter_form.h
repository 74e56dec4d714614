#pragma once

// The parameter fields above a 坐标转换 tab's points: their look (label and
// field pairs, three to a row), their typing watched as the points' is, and
// what they give: the job's parameters (TransformTask), or which field does
// not read and why. Each job's form is a subclass.

#include <QString>
#include <QWidget>

#include "ui/transform/transform_task.h"

class CTypingWatch;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

class CParameterForm : public QWidget {
  Q_OBJECT

 public:
  CParameterForm(CTypingWatch& typing, QWidget* parent);

  // Sets the job's parameters in `task`; false, with `problem`, where a
  // field does not read.
  virtual bool fill(TransformTask& task, QString& problem) const = 0;

 signals:
  // A choice changed (a field typed into says so through the typing watch).
  void changed();

 protected:
  // A field named `name` (for tests and scripts) under `label`.
  QLineEdit* addField(const QString& label, const QString& name, const QString& text,
                      const QString& tip = {});
  QComboBox* addChoice(const QString& label, const QString& name, const QStringList& items);
  QCheckBox* addCheck(const QString& label, const QString& name);
  // The next field starts a row of its own.
  void newRow();
  // Places `widget` as the next field, under `label` where it is given.
  void place(QWidget* widget, const QString& label = {});

  CTypingWatch& m_typing;

 private:
  QGridLayout* m_grid;
  int m_row = 0;
  int m_column = 0;
};
