#include "ui/sheet/sheet_model.h"

#include <QColor>
#include <QSize>

#include "ui/sheet/setout_sheet.h"

namespace {

const QColor kFailedText(200, 0, 0);

// Where each column's text comes from in an answered row.
constexpr SheetRows::Field kFields[CSheetModel::kColumnCount] = {
    SheetRows::kName,  SheetRows::kCode,     SheetRows::kAzimuth,
    SheetRows::kAngle, SheetRows::kDistance, SheetRows::kHeight};

}  // namespace

CSheetModel::CSheetModel(QObject* parent) : QAbstractTableModel(parent) {}

CSheetModel::~CSheetModel() = default;

void CSheetModel::setSheet(std::shared_ptr<const SetoutSheet> sheet) {
  beginResetModel();
  m_sheet = std::move(sheet);
  endResetModel();
}

bool CSheetModel::failed(int row) const { return m_sheet && m_sheet->rows.failed(row); }

int CSheetModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !m_sheet ? 0 : static_cast<int>(m_sheet->rows.size());
}

int CSheetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QString CSheetModel::text(int row, int column) const {
  const SheetRows& rows = m_sheet->rows;
  if (rows.failed(row) && column >= kAzimuth)
    return column == kAzimuth ? QString::fromUtf8(rows.field(row, SheetRows::kError)) : QString();
  return QString::fromUtf8(rows.field(row, kFields[column]));
}

QVariant CSheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_sheet) return {};
  const bool rowFailed = failed(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return text(index.row(), index.column());
    case Qt::ToolTipRole:
      return rowFailed ? text(index.row(), kAzimuth) : QVariant();
    case Qt::ForegroundRole:
      return rowFailed ? QVariant(kFailedText) : QVariant();
    case Qt::SizeHintRole:  // a message, however long, widens no column of numbers
      return rowFailed && index.column() == kAzimuth ? QVariant(QSize(0, 0)) : QVariant();
    case Qt::TextAlignmentRole:
      return index.column() >= kAzimuth && !rowFailed ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant CSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical)
    return m_sheet && section < rowCount() ? QVariant(m_sheet->rows.line(section)) : QVariant();
  static const char* const kTitles[kColumnCount] = {"点名",   "编码", "方位角",
                                                    "水平角", "距离", "设计高程"};
  return section < kColumnCount ? QString::fromUtf8(kTitles[section]) : QVariant();
}

QString CSheetModel::tabSeparated(const QList<int>& rows) const {
  QString out;
  for (int row : rows) {
    for (int column = 0; column < kColumnCount; ++column) {
      if (column) out += QLatin1Char('\t');
      out += text(row, column);
    }
    out += QLatin1Char('\n');
  }
  return out;
}
