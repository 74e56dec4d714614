#pragma once

// The 放样表's table: the sheet's rows (CSheetModel) in the order shown,
// whole rows selected, a failed row's message across the cells of its
// numbers, each column as wide as its widest text (a long name far down a
// million rows included), the selected rows copied for a spreadsheet and
// ticked off. Rows are named here by the sheet's row, whatever the order.

#include <QTableView>
#include <cstddef>

class CSheetModel;

class CSheetTable : public QTableView {
  Q_OBJECT

 public:
  CSheetTable(CSheetModel& model, QWidget* parent = nullptr);

  // Fits the columns to the sheet shown: Qt measures the first thousand
  // rows, and the rows of the widest names and codes (SheetRows::widest)
  // are measured besides.
  void fitColumns();
  // Shows the check boxes first, then the columns in the sheet's order (done
  // after each reset of the model).
  void orderColumns();
  // Lays each failed row's message across its number cells (after the rows
  // were put in another order too).
  void showMessagesAcross();

  // The sheet's row of the current cell, or -1.
  int currentSheetRow() const;
  // Makes the sheet's row `row` the current and selected one, where it is
  // shown.
  void selectSheetRow(std::ptrdiff_t row);

  // The selected rows as tab-separated text on the clipboard.
  void copySelected();
  // Ticks the selected rows off, or unticks them where all are ticked.
  void toggleTicks();

 private:
  QList<int> selectedShownRows() const;

  CSheetModel& m_model;
};
