#include "ui/control/observation_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyledItemDelegate>

#include "ui/control/observation_file.h"
#include "ui/common/window_look.h"
#include "ui/common/typing_watch.h"

namespace {

// Hands each key typed into a cell's editor to the model at once, and to
// the typing watch, so that the cell counts before the editor closes.
class CTypedCellDelegate : public QStyledItemDelegate {
 public:
  CTypedCellDelegate(CTypingWatch& watch, QObject* parent)
      : QStyledItemDelegate(parent), m_watch(watch) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    auto* edit = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (edit == nullptr) return edit;
    m_watch.watch(*edit);
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit] { const_cast<CTypedCellDelegate*>(this)->commitData(edit); });
    return edit;
  }

 private:
  CTypingWatch& m_watch;
};

bool blank(const QTableWidget& table, int row) {
  for (int column = 0; column < table.columnCount(); ++column) {
    const QTableWidgetItem* item = table.item(row, column);
    if (item && !item->text().trimmed().isEmpty()) return false;
  }
  return true;
}

}  // namespace

CObservationTable::CObservationTable(const QStringList& titles, QWidget* parent)
    : QTableWidget(1, static_cast<int>(titles.size()), parent), m_watch(new CTypingWatch(this)) {
  setHorizontalHeaderLabels(titles);
  setFont(WithNarrowPrimes(font()));
  setItemDelegate(new CTypedCellDelegate(*m_watch, this));
  setWordWrap(false);
  setTabKeyNavigation(true);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  // Each column as wide as its texts (a packed angle whole), the last
  // taking the rest.
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  horizontalHeader()->setStretchLastSection(true);
  connect(m_watch, &CTypingWatch::settled, this, &CObservationTable::changed);
  connect(this, &QTableWidget::itemChanged, this, [this] {
    keepEmptyLastRow();
    // A cell typed into settles a moment after its last key; one changed
    // otherwise (its editor closed, a paste) counts at once.
    if (!m_watch->waiting()) emit changed();
  });
}

std::vector<QStringList> CObservationTable::rows() const {
  std::vector<QStringList> out;
  for (int row = 0; row < rowCount(); ++row) {
    if (row + 1 == rowCount() && blank(*this, row)) break;
    QStringList cells;
    for (int column = 0; column < columnCount(); ++column) {
      const QTableWidgetItem* cell = item(row, column);
      cells.push_back(cell ? cell->text() : QString());
    }
    out.push_back(cells);
  }
  return out;
}

void CObservationTable::setRows(const std::vector<QStringList>& rows) {
  {
    const QSignalBlocker quiet(this);
    clearContents();
    setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t row = 0; row < rows.size(); ++row)
      for (int column = 0; column < columnCount(); ++column)
        setCell(static_cast<int>(row), column, rows[row].value(column));
  }
  viewport()->update();
  emit changed();
}

void CObservationTable::setTitles(const QStringList& titles) {
  setHorizontalHeaderLabels(titles);
}

void CObservationTable::flush() {
  if (QWidget* editor = indexWidget(currentIndex())) commitData(editor);
  m_watch->flush();
}

void CObservationTable::setCell(int row, int column, const QString& text) {
  QTableWidgetItem* cell = item(row, column);
  if (cell == nullptr) {
    cell = new QTableWidgetItem;
    setItem(row, column, cell);
  }
  cell->setText(text);
}

void CObservationTable::keepEmptyLastRow() {
  if (rowCount() == 0 || !blank(*this, rowCount() - 1)) {
    const QSignalBlocker quiet(this);
    setRowCount(rowCount() + 1);
  }
}

void CObservationTable::pasteText(const QString& text) {
  const int first = std::max(0, currentRow());
  const int column = std::max(0, currentColumn());
  const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
  {
    const QSignalBlocker quiet(this);
    int row = first;
    for (const QString& line : lines) {
      if (line.trimmed().isEmpty()) continue;
      const QStringList fields = ObservationFields(line);
      if (row >= rowCount()) setRowCount(row + 1);
      for (int i = 0; i < fields.size() && column + i < columnCount(); ++i)
        setCell(row, column + static_cast<int>(i), fields[i].trimmed());
      ++row;
    }
    keepEmptyLastRow();
  }
  viewport()->update();
  emit changed();
}

void CObservationTable::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    pasteText(QApplication::clipboard()->text());
    return;
  }
  if (event->matches(QKeySequence::Delete) && state() != QAbstractItemView::EditingState) {
    {
      const QSignalBlocker quiet(this);
      for (QTableWidgetItem* cell : selectedItems()) cell->setText(QString());
    }
    viewport()->update();
    emit changed();
    return;
  }
  QTableWidget::keyPressEvent(event);
}
