#include "ui/sheet/sheet_model.h"

#include <QColor>
#include <QSize>

#include "reader/number_text.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"

static_assert(CSheetModel::kAzimuth == kFirstNumberColumn + CSheetModel::kName);

namespace {

const QColor kTickedColour(150, 150, 150);

}  // namespace

SheetRows::Field CSheetModel::FieldOf(int column) { return SheetColumns()[column - kName].field; }

CSheetModel::CSheetModel(QObject* parent) : QAbstractTableModel(parent) {}

CSheetModel::~CSheetModel() = default;

void CSheetModel::setSheet(std::shared_ptr<const SetoutSheet> sheet, OrderedRows order) {
  beginResetModel();
  m_sheet = std::move(sheet);
  m_order = std::move(order);
  if (m_sheet) m_ticks.match(m_sheet->rows);
  endResetModel();
}

void CSheetModel::setOrder(OrderedRows order) {
  beginResetModel();
  m_order = std::move(order);
  endResetModel();
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
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

void CSheetModel::setTicked(const QList<int>& shown, bool ticked) {
  if (!m_sheet || shown.isEmpty()) return;
  const std::uint64_t before = m_ticks.version();
  for (const int row : shown) m_ticks.set(m_sheet->rows, sheetRow(row), ticked);
  if (m_ticks.version() == before) return;
  const auto [first, last] = std::minmax_element(shown.begin(), shown.end());
  emit dataChanged(index(*first, 0), index(*last, kColumnCount - 1));
  emit ticksChanged();
}

int CSheetModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !m_sheet) return 0;
  return static_cast<int>(m_order.shown ? m_order.shown->size() : m_sheet->rows.size());
}

int CSheetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QString CSheetModel::text(int shown, int column) const {
  const std::size_t row = sheetRow(shown);
  const SheetRows& rows = m_sheet->rows;
  if (column == kTicked) return QString();
  if (rows.failed(row) && column >= kAzimuth)
    return column == kAzimuth ? QString::fromUtf8(rows.field(row, SheetRows::kError)) : QString();
  if (m_sheet->listed && (column == kAzimuth || column == kAngle)) {
    // A listing's coordinates, written as the sheet writes lengths.
    const SheetRows::Point point = rows.point(row);
    std::string out;
    reading::AppendFixed(out, column == kAzimuth ? point.x : point.y, m_sheet->settings.decimals);
    return QString::fromStdString(out);
  }
  return QString::fromUtf8(rows.field(row, FieldOf(column)));
}

QVariant CSheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_sheet) return {};
  const int column = index.column();
  const bool rowFailed = failed(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return column == kTicked ? QVariant() : text(index.row(), column);
    case Qt::CheckStateRole:
      if (column != kTicked) return {};
      return m_ticks.ticked(sheetRow(index.row())) ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole:
      return rowFailed ? text(index.row(), kAzimuth) : QVariant();
    case Qt::ForegroundRole:
      // Texts only: the check boxes keep their colours.
      if (column == kTicked) return {};
      if (rowFailed) return ErrorColour();
      return m_ticks.ticked(sheetRow(index.row())) ? QVariant(kTickedColour) : QVariant();
    case Qt::SizeHintRole:  // a message, however long, widens no column of numbers
      return rowFailed && column == kAzimuth ? QVariant(QSize(0, 0)) : QVariant();
    case Qt::TextAlignmentRole:
      if (column == kTicked) return Qt::AlignCenter;
      return SheetColumns()[column - kName].number && !rowFailed
                 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                 : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

bool CSheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || !m_sheet || index.column() != kTicked || role != Qt::CheckStateRole)
    return false;
  setTicked({index.row()}, value.value<Qt::CheckState>() == Qt::Checked);
  return true;
}

Qt::ItemFlags CSheetModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == kTicked) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

QVariant CSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical)
    return m_sheet && section < rowCount() ? QVariant(m_sheet->rows.line(sheetRow(section)))
                                           : QVariant();
  if (section == kTicked) return QStringLiteral("已放样");
  if (m_sheet && m_sheet->listed && section == kAzimuth) return QStringLiteral("X（北）");
  if (m_sheet && m_sheet->listed && section == kAngle) return QStringLiteral("Y（东）");
  return section < kColumnCount ? QString::fromUtf8(SheetColumns()[section - kName].title)
                                : QVariant();
}

QString CSheetModel::tabSeparated(const QList<int>& shown) const {
  QString out;
  for (int row : shown) {
    for (int column = kName; column < kColumnCount; ++column) {
      if (column != kName) out += QLatin1Char('\t');
      out += text(row, column);
    }
    out += QLatin1Char('\n');
  }
  return out;
}
