#include "ui/sheet/sheet_model.h"

#include <QColor>
#include <QSize>
#include <algorithm>

#include "ui/common/window_look.h"
#include "ui/sheet/sheet_row_error.h"
#include "ui/sheet/setout_sheet.h"

static_assert(CSheetModel::kAzimuth == kFirstNumberColumn);

namespace {

const QColor kTickedColour(150, 150, 150);

}  // namespace

CSheetModel::CSheetModel(QObject* parent) : QAbstractTableModel(parent) {}

CSheetModel::~CSheetModel() = default;

void CSheetModel::reset(std::shared_ptr<const SetoutSheet> sheet, bool designShown) {
  beginResetModel();
  const bool newRows = sheet != m_sheet;
  m_sheet = std::move(sheet);
  m_designShown = designShown;
  m_columns = SheetColumns(m_sheet.get(), designShown);
  if (m_sheet && newRows) m_ticks.match(m_sheet->rows);
  endResetModel();
}

void CSheetModel::setSheet(std::shared_ptr<const SetoutSheet> sheet, OrderedRows order) {
  m_order = std::move(order);
  reset(std::move(sheet), m_designShown);
}

void CSheetModel::setOrder(OrderedRows order) {
  beginResetModel();
  m_order = std::move(order);
  endResetModel();
}

void CSheetModel::setDesignShown(bool shown) {
  if (shown != m_designShown) reset(m_sheet, shown);
}

int CSheetModel::sheetRow(int shown) const {
  return m_order.shown ? static_cast<int>((*m_order.shown)[shown]) : shown;
}

int CSheetModel::shownRow(std::size_t row) const {
  if (!m_sheet || row >= m_sheet->rows.size()) return -1;
  return m_order.at ? (*m_order.at)[row] : static_cast<int>(row);
}

bool CSheetModel::failed(int shown) const {
  return m_sheet && m_sheet->rows.failed(sheetRow(shown));
}

void CSheetModel::setKeptTicks(const std::vector<SheetTicks::Tick>& ticks) {
  m_ticks.setKept(ticks);
  if (m_sheet) m_ticks.match(m_sheet->rows);
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, tickColumn()));
}

void CSheetModel::setTicked(const QList<int>& shown, bool ticked) {
  if (!m_sheet || shown.isEmpty()) return;
  const std::uint64_t before = m_ticks.version();
  for (const int row : shown) m_ticks.set(m_sheet->rows, sheetRow(row), ticked);
  if (m_ticks.version() == before) return;
  const auto [first, last] = std::minmax_element(shown.begin(), shown.end());
  emit dataChanged(index(*first, 0), index(*last, tickColumn()));
  emit ticksChanged();
}

int CSheetModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !m_sheet) return 0;
  return static_cast<int>(m_order.shown ? m_order.shown->size() : m_sheet->rows.size());
}

int CSheetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : tickColumn() + 1;
}

QString CSheetModel::text(int shown, int column) const {
  const int row = sheetRow(shown);
  if (column == tickColumn()) return QString();
  if (m_sheet->rows.failed(row) && column >= kFirstNumberColumn)
    return column == kFirstNumberColumn
               ? RowErrorText(m_sheet->rows, row)
               : QString();
  return CellText(*m_sheet, row, m_columns[column]);
}

QVariant CSheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_sheet) return {};
  const int column = index.column();
  const bool ticks = column == tickColumn();
  const bool rowFailed = failed(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return ticks ? QVariant() : text(index.row(), column);
    case Qt::CheckStateRole:
      if (!ticks) return {};
      return m_ticks.ticked(sheetRow(index.row())) ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole:
      return rowFailed ? text(index.row(), kFirstNumberColumn) : QVariant();
    case Qt::ForegroundRole:
      // Texts only: the check boxes keep their colours.
      if (ticks) return {};
      if (rowFailed) return ErrorColour();
      return m_ticks.ticked(sheetRow(index.row())) ? QVariant(kTickedColour) : QVariant();
    case Qt::SizeHintRole:  // a message, however long, widens no column of numbers
      return rowFailed && column == kFirstNumberColumn ? QVariant(QSize(0, 0)) : QVariant();
    case Qt::TextAlignmentRole:
      if (ticks) return Qt::AlignCenter;
      return m_columns[column].number && !rowFailed ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                    : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

bool CSheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || !m_sheet || index.column() != tickColumn() ||
      role != Qt::CheckStateRole)
    return false;
  setTicked({index.row()}, value.value<Qt::CheckState>() == Qt::Checked);
  return true;
}

Qt::ItemFlags CSheetModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == tickColumn()) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

QVariant CSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical)
    return m_sheet && section < rowCount() ? QVariant(m_sheet->rows.line(sheetRow(section)))
                                           : QVariant();
  if (section == tickColumn()) return QStringLiteral("已放样");
  return section < tickColumn() ? QString::fromUtf8(m_columns[section].title) : QVariant();
}

QString CSheetModel::tabSeparated(const QList<int>& shown) const {
  QString out;
  for (int column = 0; column < tickColumn(); ++column) {
    if (column) out += QLatin1Char('\t');
    out += QString::fromUtf8(m_columns[column].title);
  }
  out += QLatin1Char('\n');
  for (int row : shown) {
    for (int column = 0; column < tickColumn(); ++column) {
      if (column) out += QLatin1Char('\t');
      out += text(row, column);
    }
    out += QLatin1Char('\n');
  }
  return out;
}
