#include "ui/sheet/row_order_controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include "ui/common/job_runner.h"
#include "ui/sheet/row_filter_bar.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sketch_widget.h"

CRowOrdering::CRowOrdering(CSheetModel& model, QTableView& table, CSketchWidget& sketch,
                           CRowFilterBar& filters, QAction& route, CJobRunner& runner,
                           QObject* parent)
    : QObject(parent),
      m_model(model),
      m_table(table),
      m_sketch(sketch),
      m_filters(filters),
      m_route(route),
      m_runner(runner) {
  QHeaderView* header = table.horizontalHeader();
  header->setSectionsClickable(true);
  header->setToolTip(QStringLiteral("单击列标题按该列排序，再次单击反向"));
  connect(header, &QHeaderView::sectionClicked, this, &CRowOrdering::sortBy);
  // The corner over the row numbers, Qt's button to select all, puts the
  // rows in file order (全选 and Ctrl+A select all).
  if (auto* corner = table.findChild<QAbstractButton*>()) {
    corner->disconnect();
    corner->setToolTip(QStringLiteral("按文件顺序排列"));
    connect(corner, &QAbstractButton::clicked, this, &CRowOrdering::showFileOrder);
  }
  route.setCheckable(true);
  route.setEnabled(false);
  connect(&route, &QAction::triggered, this, [this](bool on) {
    RowOrder order = m_wanted;
    order.by = on ? RowOrder::By::kRoute : RowOrder::By::kFile;
    setWanted(order);
  });
  connect(&filters, &CRowFilterBar::changed, this, [this] {
    RowOrder order = m_wanted;
    order.code = m_filters.code();
    order.name = m_filters.name();
    setWanted(order);
  });
  // A job cancelled leaves the rows as they show.
  connect(&runner, &CJobRunner::cancelled, this, [this] {
    m_wanted = m_shown;
    syncControls();
  });
}

void CRowOrdering::setWanted(const RowOrder& order) {
  m_wanted = order;
  if (m_wanted.by == RowOrder::By::kRoute && !m_computed) m_wanted.by = RowOrder::By::kFile;
  syncControls();
  reorder();
}

void CRowOrdering::showFileOrder() {
  RowOrder order = m_wanted;
  order.by = RowOrder::By::kFile;
  setWanted(order);
}

void CRowOrdering::sheetShown(const RowOrder& order, const std::vector<std::string>& codes,
                              bool computed) {
  m_shown = order;
  m_computed = computed;
  m_route.setEnabled(computed);
  m_sketch.setRoute(m_model.order().route);
  m_filters.setCodes(codes);  // where the code chosen is gone, the filter says so
  if (!computed && m_wanted.by == RowOrder::By::kRoute) m_wanted.by = RowOrder::By::kFile;
  syncControls();
  reorder();
}

// A heading clicked: sorted by its column, the other way round where it is
// sorted by it already.
void CRowOrdering::sortBy(int column) {
  RowOrder order = m_wanted;
  RowOrder by = m_wanted;
  if (column == m_model.tickColumn()) {
    by.by = RowOrder::By::kTicked;
  } else if (column >= 0 && column < m_model.tickColumn()) {
    const SheetColumn& shown = m_model.columns()[column];
    by.by = RowOrder::By::kColumn;
    by.shows = shown.shows;
    by.field = shown.field;
  } else {
    return;
  }
  const bool same = order.by == by.by && (by.by == RowOrder::By::kTicked ||
                                          (order.shows == by.shows && order.field == by.field));
  by.descending = same && !order.descending;
  setWanted(by);
}

// The model's column the rows are sorted by, or -1.
int CRowOrdering::sortedColumn() const {
  if (m_wanted.by == RowOrder::By::kTicked) return m_model.tickColumn();
  if (m_wanted.by != RowOrder::By::kColumn) return -1;
  const auto& columns = m_model.columns();
  for (std::size_t column = 0; column < columns.size(); ++column)
    if (columns[column].shows == m_wanted.shows &&
        (m_wanted.shows != SheetColumn::Shows::kField || columns[column].field == m_wanted.field))
      return static_cast<int>(column);
  return -1;
}

// The rows put in the order asked for, off the interface thread; a route
// walked for the sheet shown is walked again only for another sheet.
void CRowOrdering::reorder() {
  const auto sheet = m_model.sheet();
  if (!sheet || m_wanted == m_shown) {
    if (!sheet) m_shown = m_wanted;
    return;
  }
  const WalkedRows route = m_model.order().route;
  const RowOrder order = m_wanted;
  m_runner.start([this, sheet, ticked = m_model.ticks().rows(), order, route](
                     const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
    auto ordered = OrderRows(*sheet, ticked, order, route, stop, progress);
    return [this, sheet, order, ordered = std::move(ordered)] {
      if (ordered && m_model.sheet() == sheet) show(order, *ordered);
    };
  });
}

// Shows the rows in a new order, the row selected still selected where it
// shows.
void CRowOrdering::show(const RowOrder& order, const OrderedRows& ordered) {
  const QModelIndex current = m_table.selectionModel()->currentIndex();
  const int selected = current.isValid() ? m_model.sheetRow(current.row()) : -1;
  m_model.setOrder(ordered);
  m_shown = order;
  m_sketch.setRoute(ordered.route);
  const int row = selected >= 0 ? m_model.shownRow(static_cast<std::size_t>(selected)) : -1;
  if (row >= 0) {
    const QModelIndex index = m_model.index(row, CSheetModel::kName);
    m_table.selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table.scrollTo(index);
  }
  emit reordered();
  reorder();  // what was asked for meanwhile
}

void CRowOrdering::syncControls() {
  // The arrow shows only while sorted: a heading that shows it is measured
  // wider, and the columns are fitted without.
  const int sorted = sortedColumn();
  QHeaderView* header = m_table.horizontalHeader();
  header->setSortIndicatorShown(sorted >= 0);
  header->setSortIndicator(sorted, m_wanted.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  m_route.setChecked(m_wanted.by == RowOrder::By::kRoute);
  m_filters.showChoice(m_wanted.code, m_wanted.name);
}
