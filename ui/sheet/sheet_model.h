#pragma once

// The table of the setting-out window: one row per design point, the 已放样
// check box, then the sheet's columns (sheet_look.h: 点名, 编码, 方位角, 水平角,
// 距离, 设计高程) with the texts corvane-calc writes. A failed row shows its
// "ERROR: ..." text in place of the numbers, in red; a ticked row is grey.
// The rows show in the order given (row_order.h: file order, sorted, the
// route's, filtered); the row headers are the input's line numbers
// whatever the order. A listing before the station is chosen
// (SetoutSheet::listed) shows X（北） and Y（东） in the places of the
// azimuth and the angle, and nothing under 距离.
//
// The model keeps the sheet's ticks (sheet_ticks.h), matched to each sheet
// it is given.

#include <QAbstractTableModel>
#include <memory>

#include "ui/sheet/row_order.h"
#include "ui/sheet/sheet_rows.h"
#include "ui/sheet/sheet_ticks.h"

struct SetoutSheet;

class CSheetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The check box, then the columns in the order of SheetColumns().
  enum Column { kTicked, kName, kCode, kAzimuth, kAngle, kDistance, kHeight, kColumnCount };
  // The texts of a column from kName on.
  static SheetRows::Field FieldOf(int column);

  explicit CSheetModel(QObject* parent = nullptr);
  ~CSheetModel() override;

  // Shows `sheet` (or none) in `order` (all rows in file order by default),
  // the ticks matched to its rows.
  void setSheet(std::shared_ptr<const SetoutSheet> sheet, OrderedRows order = {});
  const std::shared_ptr<const SetoutSheet>& sheet() const { return m_sheet; }
  // The same sheet in another order.
  void setOrder(OrderedRows order);
  const OrderedRows& order() const { return m_order; }

  // The sheet's row shown in table row `shown`, and the table row of the
  // sheet's row `row` (-1 where it is not shown).
  int sheetRow(int shown) const;
  int shownRow(std::size_t row) const;
  bool failed(int shown) const;

  const SheetTicks& ticks() const { return m_ticks; }
  // The ticks kept for the sheet's file, matched to the rows shown.
  void setKeptTicks(const std::vector<SheetTicks::Tick>& ticks);
  // Ticks or unticks the table's rows `shown`.
  void setTicked(const QList<int>& shown, bool ticked);

  // The rows as a spreadsheet takes them: cells separated by tabs, each row
  // ending in a line end, failed rows with their message in the azimuth
  // cell; the check box is left out.
  QString tabSeparated(const QList<int>& shown) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 signals:
  // The user ticked or unticked rows.
  void ticksChanged();

 private:
  QString text(int row, int column) const;

  std::shared_ptr<const SetoutSheet> m_sheet;
  OrderedRows m_order;
  SheetTicks m_ticks;
};
