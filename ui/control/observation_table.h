#pragma once

// The observations of a traverse or a levelling line as the user types
// them: a table of texts in the given columns, always with an empty row at
// its end to type the next one into. What is typed into a cell counts as
// it is typed (the typing watch, ui/common/typing_watch.h: a moment after
// the last key), so that the computation table beside follows it without
// Enter. Rows copied from a spreadsheet or a text file paste in (Ctrl+V),
// their fields split at tabs, commas or blanks.

#include <QStringList>
#include <QTableWidget>
#include <vector>

class CTypingWatch;

class CObservationTable : public QTableWidget {
  Q_OBJECT

 public:
  CObservationTable(const QStringList& titles, QWidget* parent = nullptr);

  // The rows, the empty last one left out.
  std::vector<QStringList> rows() const;
  void setRows(const std::vector<QStringList>& rows);
  // The columns' titles anew (a levelling line counted by stations).
  void setTitles(const QStringList& titles);

  // Settles what is being typed now (a command reads the cells as shown).
  void flush();

  // Pastes `text`: a row a line, from the current cell on.
  void pasteText(const QString& text);

 signals:
  // A cell's text changed: typed and settled, pasted, or rows set.
  void changed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void keepEmptyLastRow();
  void setCell(int row, int column, const QString& text);

  CTypingWatch* m_watch;
};
