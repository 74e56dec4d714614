#include "ui/sheet/sheet_table.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <algorithm>

#include "ui/common/window_look.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_model.h"

CSheetTable::CSheetTable(CSheetModel& model, QWidget* parent) : QTableView(parent), m_model(model) {
  setModel(&model);
  setFont(WithNarrowPrimes(font()));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setWordWrap(false);
  setTabKeyNavigation(false);  // Tab goes on to the sketch
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setAccessibleName(QStringLiteral("放样表"));
  // A sheet of other columns keeps the order of its own: the header would
  // keep the places of the sheet before.
  connect(&model, &QAbstractItemModel::modelReset, this, &CSheetTable::orderColumns);
}

// The check boxes first (the model has them last), then the columns in the
// model's order, which is the printed sheet's and the CSV's.
void CSheetTable::orderColumns() {
  QHeaderView& header = *horizontalHeader();
  const int ticks = m_model.tickColumn();
  if (header.count() != ticks + 1) return;
  header.moveSection(header.visualIndex(ticks), 0);
  for (int column = 0; column < ticks; ++column)
    header.moveSection(header.visualIndex(column), column + 1);
}

// Each column with room to breathe, the check boxes with their heading's,
// and shown first (the model has them last).
void CSheetTable::fitColumns() {
  if (!m_model.sheet()) return;
  const int ticks = m_model.tickColumn();
  orderColumns();
  resizeColumnsToContents();
  const QFontMetrics metrics = fontMetrics();
  const int room = metrics.horizontalAdvance(QStringLiteral("00"));
  // A cell's text has a focus frame's margin and a pixel at each side.
  const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
  const SheetRows& rows = m_model.sheet()->rows;
  for (int column = 0; column < m_model.columnCount(); ++column) {
    int width = columnWidth(column);
    if (column < ticks && m_model.columns()[column].shows == SheetColumn::Shows::kField) {
      const SheetRows::Field field = m_model.columns()[column].field;
      if (field == SheetRows::kName || field == SheetRows::kCode) {
        for (const std::uint32_t row : rows.widest(field))
          width = std::max(width, metrics.horizontalAdvance(QString::fromUtf8(
                                      rows.field(row, field))) + margins);
      }
    }
    setColumnWidth(column, column == ticks ? width : width + room);
  }
}

void CSheetTable::showMessagesAcross() {
  clearSpans();
  const auto& shown = m_model.sheet();
  if (!shown || shown->rows.failedCount() == 0) return;
  for (int row = 0; row < m_model.rowCount(); ++row)
    if (m_model.failed(row))
      setSpan(row, kFirstNumberColumn, 1, m_model.tickColumn() - kFirstNumberColumn);
}

int CSheetTable::currentSheetRow() const {
  const QModelIndex current = selectionModel()->currentIndex();
  return current.isValid() ? m_model.sheetRow(current.row()) : -1;
}

void CSheetTable::selectSheetRow(std::ptrdiff_t row) {
  const int shown = m_model.shownRow(static_cast<std::size_t>(row));
  if (shown < 0) return;
  const QModelIndex index = m_model.index(shown, CSheetModel::kName);
  selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
}

QList<int> CSheetTable::selectedShownRows() const {
  QList<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CSheetTable::copySelected() {
  const QList<int> rows = selectedShownRows();
  if (!rows.isEmpty()) QGuiApplication::clipboard()->setText(m_model.tabSeparated(rows));
}

void CSheetTable::toggleTicks() {
  const QList<int> rows = selectedShownRows();
  const bool allTicked = std::all_of(rows.begin(), rows.end(), [this](int row) {
    return m_model.ticks().ticked(m_model.sheetRow(row));
  });
  m_model.setTicked(rows, !allTicked);
}
