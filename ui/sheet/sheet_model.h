#pragma once

// The table of the setting-out window: one row per design point, the
// sheet's columns (sheet_look.h: 点名, 编码, 方位角, 水平角, 距离, 设计高程,
// the sight's 高差, 天顶距, 斜距 where the sheet has heights, 设计X and 设计Y
// where they are shown; a listing's 点名, 编码, 设计X, 设计Y, 设计高程) with
// the texts corvane-calc writes, and last the 已放样 check boxes (the window
// shows them first). A failed row shows its "ERROR: ..." text in place of
// the numbers, in red; a ticked row's texts are grey. The rows show in the
// order given (ordered_rows.h: file order, sorted, the route's, narrowed); the
// row headers are the input's line numbers whatever the order.
//
// The model keeps the sheet's ticks (sheet_ticks.h), matched to each sheet
// it is given.

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "ui/sheet/ordered_rows.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_ticks.h"

struct SetoutSheet;

class CSheetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The columns every sheet has, in their places; the others follow them
  // (columns()), and the check boxes follow those (tickColumn()).
  enum Column { kName, kCode, kAzimuth, kAngle, kDistance, kHeight };

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

  // Whether 设计X and 设计Y are among the columns.
  void setDesignShown(bool shown);
  bool designShown() const { return m_designShown; }
  // The sheet's columns, in the model's places.
  const std::vector<SheetColumn>& columns() const { return m_columns; }
  // The column of the check boxes: after the sheet's.
  int tickColumn() const { return static_cast<int>(m_columns.size()); }

  const SheetTicks& ticks() const { return m_ticks; }
  // The ticks kept for the sheet's file, matched to the rows shown.
  void setKeptTicks(const std::vector<SheetTicks::Tick>& ticks);
  // Ticks or unticks the table's rows `shown`.
  void setTicked(const QList<int>& shown, bool ticked);

  // The rows `shown` as a spreadsheet takes them, after the columns'
  // headings: cells separated by tabs, each row ending in a line end,
  // failed rows with their message in the azimuth cell; the check boxes
  // are left out.
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
  QString text(int shown, int column) const;
  void reset(std::shared_ptr<const SetoutSheet> sheet, bool designShown);

  std::shared_ptr<const SetoutSheet> m_sheet;
  OrderedRows m_order;
  SheetTicks m_ticks;
  bool m_designShown = false;
  std::vector<SheetColumn> m_columns = SheetColumns(nullptr, false);
};
