#pragma once

// The table of the setting-out window: one row per design point in file
// order, the sheet's columns (sheet_look.h: 点名, 编码, 方位角, 水平角, 距离,
// 设计高程, the sight's 高差, 天顶距, 斜距 where the sheet has heights, 设计X
// and 设计Y where they are shown) with the texts corvane-calc writes. A
// failed row shows its "ERROR: ..." text in place of the numbers, in red;
// the row headers are the input's line numbers.

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "ui/sheet/sheet_look.h"

struct SetoutSheet;

class CSheetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The columns every sheet has, in their places; the others follow them
  // (columns()).
  enum Column { kName, kCode, kAzimuth, kAngle, kDistance, kHeight };

  explicit CSheetModel(QObject* parent = nullptr);
  ~CSheetModel() override;

  void setSheet(std::shared_ptr<const SetoutSheet> sheet);
  const std::shared_ptr<const SetoutSheet>& sheet() const { return m_sheet; }
  bool failed(int row) const;

  // Whether 设计X and 设计Y are among the columns.
  void setDesignShown(bool shown);
  bool designShown() const { return m_designShown; }
  const std::vector<SheetColumn>& columns() const { return m_columns; }

  // The rows as a spreadsheet takes them, after the columns' headings:
  // cells separated by tabs, each row ending in a line end, failed rows
  // with their message in the azimuth cell.
  QString tabSeparated(const QList<int>& rows) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QString text(int row, int column) const;
  void reset(std::shared_ptr<const SetoutSheet> sheet, bool designShown);

  std::shared_ptr<const SetoutSheet> m_sheet;
  bool m_designShown = false;
  std::vector<SheetColumn> m_columns = SheetColumns(nullptr, false);
};
