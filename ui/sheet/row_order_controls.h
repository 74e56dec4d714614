#pragma once

// How the 放样表's rows are put in order and narrowed, and the controls that
// ask for it: a click on a column's heading sorts by that column (again:
// the other way round), the corner over the row numbers and 文件顺序 put the
// file's order back, 路线 walks from the station (ordered_rows.h), and the
// filter bar narrows the rows to a code and to names holding a text. The
// rows are ordered off the interface thread in the window's runner, with its
// progress and 取消 (which leaves the rows as they show); the row selected
// stays selected where it still shows. The heading's arrow, 路线's check and
// the filter bar always show the order asked for.

#include <QObject>
#include <vector>

#include "ui/sheet/ordered_rows.h"

class CJobRunner;
class CRowFilterBar;
class CSheetModel;
class CSketchWidget;
class QAction;
class QTableView;

class CRowOrdering : public QObject {
  Q_OBJECT

 public:
  CRowOrdering(CSheetModel& model, QTableView& table, CSketchWidget& sketch, CRowFilterBar& filters,
               QAction& route, CJobRunner& runner, QObject* parent);

  // The order asked for, and that of the rows shown.
  const RowOrder& wanted() const { return m_wanted; }
  const RowOrder& shown() const { return m_shown; }
  // Asks for another order (路线 only where a sheet is computed).
  void setWanted(const RowOrder& order);
  // Puts the rows in file order.
  void showFileOrder();

  // The model shows a new sheet (a listing where not `computed`), whose
  // rows were put in `order` as they were read; `codes` are its rows'.
  void sheetShown(const RowOrder& order, const std::vector<std::string>& codes, bool computed);
  // The heading's arrow on the column sorted by, where it still shows (the
  // model's columns changed).
  void syncControls();

 signals:
  // The rows show in another order.
  void reordered();

 private:
  void sortBy(int column);
  int sortedColumn() const;
  void reorder();
  void show(const RowOrder& order, const OrderedRows& ordered);

  CSheetModel& m_model;
  QTableView& m_table;
  CSketchWidget& m_sketch;
  CRowFilterBar& m_filters;
  QAction& m_route;
  CJobRunner& m_runner;
  RowOrder m_wanted;
  RowOrder m_shown;
  bool m_computed = false;  // the sheet shown has a station: a route can be walked
};
