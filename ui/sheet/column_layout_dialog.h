#pragma once

// Which column of a coordinate file holds what: the file's first rows under
// headings that name each column's role (点名, 编码, 东 Y, 北 X, 高程), so the
// user sees at once whether east and north are the right way round; presets
// for the layouts field and office software export, and a list of one's own
// in the spelling of corvane-calc's column lists (blanks around a role
// allowed). 编码 picks the file's encoding (自动: as the reader finds it,
// which the box names) and 跳过行数 the lines at its start to copy as they
// are (a title or an instrument's preamble), corvane-calc's --encoding and
// --skip-lines; the preview is read again as they say.

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

#include "reader/rows/input_reading.h"
#include "ui/sheet/file_layout.h"
#include "ui/sheet/preview_rows.h"

class QComboBox;
class QSpinBox;
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

  // The file's first rows read as 编码 and 跳过行数 say.
  using PreviewReader = std::function<PreviewRows(const reading::InputReading& input)>;

  // The file's first data rows (`preview`, read with `input`), where they
  // could be read; a file that cannot be read, or is no text, says so in
  // the box and leaves 确定 disabled, whatever the list. A file whose first
  // row is a header of corvane-calc's (ColumnsOfTitles) proposes its own
  // list, not `columns`. `read` reads them again when 编码 or 跳过行数
  // changes; without it they stay.
  CColumnLayoutDialog(const PreviewRows& preview, const QString& columns, Check check,
                      QWidget* parent = nullptr, PreviewReader read = {},
                      const reading::InputReading& input = {});

  QString columns() const;

  // The encoding (none: 自动) and the lines to skip, with the decimal mark
  // the box was given.
  reading::InputReading input() const;

  // The list, the encoding and the lines to skip together, as they are kept.
  FileLayout layout() const;

  // The presets, as (roles, description) pairs.
  static const QList<QPair<QString, QString>>& presets();

 private:
  QComboBox* makeEncodingBox(std::optional<reading::TextEncoding> chosen);
  void layOut();
  void connectControls();
  void showColumns(const QString& columns);
  void showPreview(const PreviewRows& preview);
  void fillPreview(const QList<QStringList>& rows);
  void readAgain();

  Check m_check;
  PreviewReader m_read;
  reading::DecimalMark m_decimalMark;
  bool m_refused;  // the file cannot be read
  QComboBox* m_encoding;
  QSpinBox* m_skipLines;
  QComboBox* m_preset;
  QLineEdit* m_columns;
  QLabel* m_problem;
  QTableWidget* m_preview;
  QDialogButtonBox* m_buttons;
};
