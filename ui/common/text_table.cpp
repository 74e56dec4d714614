#include "ui/common/text_table.h"

void CTextTableModel::setTable(TextTable table) {
  beginResetModel();
  m_table = std::move(table);
  endResetModel();
}

int CTextTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_table.rows.size());
}

int CTextTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_table.titles.size());
}

QVariant CTextTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return m_table.rows[index.row()].value(index.column());
  // Names at the left, numbers and chainages at the right.
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant CTextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return m_table.titles.value(section);
  return section + 1;
}
