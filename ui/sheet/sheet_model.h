#pragma once

// The table of the setting-out window: one row per design point in file
// order, the sheet's columns (sheet_look.h: 点名, 编码, 方位角, 水平角, 距离,
// 设计高程) with the texts corvane-calc writes. A failed row shows its
// "ERROR: ..." text in place of the numbers, in red; the row headers are the
// input's line numbers.

#include <QAbstractTableModel>
#include <memory>

struct SetoutSheet;

class CSheetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The columns in the order of SheetColumns().
  enum Column { kName, kCode, kAzimuth, kAngle, kDistance, kHeight, kColumnCount };

  explicit CSheetModel(QObject* parent = nullptr);
  ~CSheetModel() override;

  void setSheet(std::shared_ptr<const SetoutSheet> sheet);
  const std::shared_ptr<const SetoutSheet>& sheet() const { return m_sheet; }
  bool failed(int row) const;

  // The rows as a spreadsheet takes them: cells separated by tabs, each row
  // ending in a line end, failed rows with their message in the azimuth cell.
  QString tabSeparated(const QList<int>& rows) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QString text(int row, int column) const;

  std::shared_ptr<const SetoutSheet> m_sheet;
};
