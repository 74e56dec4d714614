#pragma once

// Which column of a coordinate file holds what: the file's first rows under
// headings that name each column's role (点名, 编码, 东 Y, 北 X, 高程), so the
// user sees at once whether east and north are the right way round; presets
// for the layouts field and office software export, and a list of one's own
// in the spelling of corvane-calc's column lists (blanks around a role
// allowed).

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

#include "ui/sheet/preview_rows.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// What is wrong with a list of roles for a design or control file, in
// Chinese; empty for a list the reader takes.
QString PointColumnsProblem(const QString& columns);

// The list a header row written by corvane-calc gives (a road's stakes:
// NAME,K,OFFSET,X,Y,AZIMUTH,H is name,-,-,x,y,-,h): its titles NAME, CODE,
// X, Y and H as those roles, any other not read; "" for a first row that
// names no X and Y so.
QString ColumnsOfTitles(const QStringList& titles);

class CColumnLayoutDialog : public QDialog {
  Q_OBJECT

 public:
  // What is wrong with a list of roles, or an empty string.
  using Check = std::function<QString(const QString& columns)>;

  // The file's first data rows (`preview`), where they could be read; a
  // file that cannot be read, or is no text, says so in the box and leaves
  // 确定 disabled, whatever the list. A file whose first row is a header of
  // corvane-calc's (ColumnsOfTitles) proposes its own list, not `columns`.
  CColumnLayoutDialog(const PreviewRows& preview, const QString& columns, Check check,
                      QWidget* parent = nullptr);

  QString columns() const;

  // The presets, as (roles, description) pairs.
  static const QList<QPair<QString, QString>>& presets();

 private:
  void showColumns(const QString& columns);
  void fillPreview(const QList<QStringList>& rows);

  Check m_check;
  bool m_refused;  // the file cannot be read
  QComboBox* m_preset;
  QLineEdit* m_columns;
  QLabel* m_problem;
  QTableWidget* m_preview;
  QDialogButtonBox* m_buttons;
};
