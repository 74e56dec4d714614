#include "ui/sheet/sheet_model.h"

#include <QColor>
#include <QSize>

#include "ui/sheet/setout_sheet.h"

static_assert(CSheetModel::kAzimuth == kFirstNumberColumn);

CSheetModel::CSheetModel(QObject* parent) : QAbstractTableModel(parent) {}

CSheetModel::~CSheetModel() = default;

void CSheetModel::reset(std::shared_ptr<const SetoutSheet> sheet, bool designShown) {
  beginResetModel();
  m_sheet = std::move(sheet);
  m_designShown = designShown;
  m_columns = SheetColumns(m_sheet.get(), designShown);
  endResetModel();
}

void CSheetModel::setSheet(std::shared_ptr<const SetoutSheet> sheet) {
  reset(std::move(sheet), m_designShown);
}

void CSheetModel::setDesignShown(bool shown) {
  if (shown != m_designShown) reset(m_sheet, shown);
}

bool CSheetModel::failed(int row) const { return m_sheet && m_sheet->rows.failed(row); }

int CSheetModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !m_sheet ? 0 : static_cast<int>(m_sheet->rows.size());
}

int CSheetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString CSheetModel::text(int row, int column) const {
  if (failed(row) && column >= kFirstNumberColumn)
    return column == kFirstNumberColumn
               ? QString::fromUtf8(m_sheet->rows.field(row, SheetRows::kError))
               : QString();
  return CellText(*m_sheet, row, m_columns[column]);
}

QVariant CSheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_sheet) return {};
  const bool rowFailed = failed(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return text(index.row(), index.column());
    case Qt::ToolTipRole:
      return rowFailed ? text(index.row(), kFirstNumberColumn) : QVariant();
    case Qt::ForegroundRole:
      return rowFailed ? QVariant(ErrorColour()) : QVariant();
    case Qt::SizeHintRole:  // a message, however long, widens no column of numbers
      return rowFailed && index.column() == kFirstNumberColumn ? QVariant(QSize(0, 0)) : QVariant();
    case Qt::TextAlignmentRole:
      return m_columns[index.column()].number && !rowFailed
                 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                 : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant CSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical)
    return m_sheet && section < rowCount() ? QVariant(m_sheet->rows.line(section)) : QVariant();
  return section < columnCount() ? QString::fromUtf8(m_columns[section].title) : QVariant();
}

QString CSheetModel::tabSeparated(const QList<int>& rows) const {
  QString out;
  for (int column = 0; column < columnCount(); ++column) {
    if (column) out += QLatin1Char('\t');
    out += QString::fromUtf8(m_columns[column].title);
  }
  out += QLatin1Char('\n');
  for (int row : rows) {
    for (int column = 0; column < columnCount(); ++column) {
      if (column) out += QLatin1Char('\t');
      out += text(row, column);
    }
    out += QLatin1Char('\n');
  }
  return out;
}
