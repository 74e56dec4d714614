#pragma once

// Which column of a coordinate file holds what: the file's first rows under
// headings that name each column's role (点名, 编码, 东 Y, 北 X, 高程), so the
// user sees at once whether east and north are the right way round; presets
// for the layouts field and office software export, and a list of one's own
// in corvane-calc's --columns spelling.

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTableWidget;

class CColumnLayoutDialog : public QDialog {
  Q_OBJECT

 public:
  // What is wrong with a list of roles, or an empty string.
  using Check = std::function<QString(const QString& columns)>;

  // `rows` are the file's first data rows, split into fields as the reader
  // splits them; `problem`, where not empty, says why there are none.
  CColumnLayoutDialog(const QList<QStringList>& rows, const QString& problem,
                      const QString& columns, Check check, QWidget* parent = nullptr);

  QString columns() const;

  // The presets, as (roles, description) pairs.
  static const QList<QPair<QString, QString>>& presets();

 private:
  void showColumns(const QString& columns);
  void fillPreview(const QList<QStringList>& rows);

  Check m_check;
  QComboBox* m_preset;
  QLineEdit* m_columns;
  QLabel* m_problem;
  QTableWidget* m_preview;
  QDialogButtonBox* m_buttons;
};
