#pragma once

// A small table of texts (a road's curve table, a traverse's computation
// table) and the Qt model that shows one: names at the left, numbers at
// the right, the rows numbered in the vertical header.

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <vector>

// Its column titles and its cells.
struct TextTable {
  QStringList titles;
  std::vector<QStringList> rows;
};

class CTextTableModel : public QAbstractTableModel {
 public:
  explicit CTextTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  void setTable(TextTable table);
  const TextTable& table() const { return m_table; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  TextTable m_table;
};
