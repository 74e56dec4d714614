#include "ui/sheet/setout_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimerEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <cerrno>

#include "reader/sheet_resolver.h"
#include "res/resource.h"
#include "res/resources.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/job_runner.h"
#include "ui/sheet/recent_files_menu.h"
#include "ui/sheet/row_filter_bar.h"
#include "ui/sheet/row_ordering.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_job.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_output.h"
#include "ui/sheet/sheet_settings.h"
#include "ui/sheet/sheet_setup.h"
#include "ui/sheet/sketch_widget.h"
#include "ui/sheet/station_panel.h"

using namespace sheet_settings;

namespace {

const QString kDefaultColumns = QStringLiteral("name,code,y,x,h");
constexpr int kPreviewRows = 12;        // of a file, in the layout dialog
constexpr std::size_t kMaxCodes = 500;  // listed in the filter bar
constexpr int kKeepTicksAfterMs = 500;  // the ticks are kept once they rest this long

QString fileFilter() { return QStringLiteral("坐标文件 (*.dat *.csv *.txt);;所有文件 (*)"); }

// The roles of a setout row's columns.
std::span<const char* const> pointNumbers() {
  return reading::RowNumbers(reading::Mode::kSetout, true);
}

// The list as read; none where it is empty or does not read.
std::vector<reading::Column> columnsOf(const QString& list) {
  std::vector<reading::Column> columns;
  if (list.isEmpty() || reading::ReadColumns(list.toStdString(), pointNumbers(), true, columns))
    columns.clear();
  return columns;
}

QString columnsText(const std::vector<reading::Column>& columns) {
  return QString::fromStdString(reading::ColumnsText(columns, pointNumbers()));
}

// A file as its setup is kept: by its absolute path.
QString keptPath(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

// The ticks kept for the file at `path`, none where none are.
std::vector<SheetTicks::Tick> keptTicks(const QString& path) {
  const auto kept = SheetSetup::Recall(keptPath(path));
  return kept ? kept->ticks : std::vector<SheetTicks::Tick>();
}

// A caller's points are read as the rows of these columns.
const QString kPointColumns = QStringLiteral("name,code,x,y,h");

const QString kOpenFirst = QStringLiteral("打开坐标文件后，这里显示放样示意图");

}  // namespace

struct CSetoutWindow::ReadResult {
  SheetResult sheet;
  std::vector<std::string> codes;  // of the sheet's (or the listing's) rows
  RowOrder order;                  // of `ordered`
  OrderedRows ordered;
};

CSetoutWindow::CSetoutWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      m_model(new CSheetModel(this)),
      m_loader(new CJobRunner(this)),
      m_orderer(new CJobRunner(this)),
      m_writer(new CJobRunner(this)),
      m_output(new CSheetOutput(*this, *m_writer)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("放样表"));
  setWindowIcon(res::LoadIconResource(IDI_APP));
  m_wanted.columns = Recalled(kColumns, kDefaultColumns).toString();
  m_wanted.controlColumns = Recalled(kControlColumns, QString()).toString();
  m_shown = m_wanted;
  createCentre();
  createActions();
  createStatusBar();
  m_panel->setDecimals(Recalled(kAngleDecimals, 4).toInt(), Recalled(kDistanceDecimals, 3).toInt());
  connect(m_panel, &CStationPanel::changed, this, &CSetoutWindow::recompute);
  connect(m_output, &CSheetOutput::working, m_counts, &QLabel::setText);
  connect(m_panel, &CStationPanel::controlFileRequested, this, &CSetoutWindow::OnChooseControl);
  connect(m_panel, &CStationPanel::controlFileRemoved, this, &CSetoutWindow::OnRemoveControl);
  connect(m_model, &CSheetModel::ticksChanged, this, &CSetoutWindow::ticksChanged);
  const QRect screen = this->screen()->availableGeometry();
  resize(QSize(1000, 680).boundedTo(screen.size() * 9 / 10));
}

// The runners wait for their jobs, which look at their stop flags often.
CSetoutWindow::~CSetoutWindow() = default;

void CSetoutWindow::createCentre() {
  auto* centre = new QWidget(this);
  auto* layout = new QVBoxLayout(centre);
  m_panel = new CStationPanel(centre);
  layout->addWidget(m_panel);

  auto* left = new QWidget(centre);
  auto* tableSide = new QVBoxLayout(left);
  tableSide->setContentsMargins(0, 0, 0, 0);
  m_filters = new CRowFilterBar(left);
  m_table = new QTableView(left);
  tableSide->addWidget(m_filters);
  tableSide->addWidget(m_table, 1);
  m_table->setModel(m_model);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_table->setWordWrap(false);
  m_table->setTabKeyNavigation(false);  // Tab goes on to the sketch
  m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
  m_table->setAccessibleName(QStringLiteral("放样表"));
  m_sketch = new CSketchWidget(centre);
  m_sketch->setTicked(&m_model->ticks().rows());

  auto* split = new QSplitter(Qt::Horizontal, centre);
  split->addWidget(left);
  split->addWidget(m_sketch);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setChildrenCollapsible(false);
  layout->addWidget(split, 1);
  setCentralWidget(centre);

  connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &CSetoutWindow::syncSelectionToSketch);
  connect(m_sketch, &CSketchWidget::rowClicked, this, &CSetoutWindow::selectRow);
}

void CSetoutWindow::createActions() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
  QMenu* view = menuBar()->addMenu(QStringLiteral("查看(&V)"));
  QToolBar* tools = addToolBar(QStringLiteral("工具栏"));
  tools->setObjectName(QStringLiteral("tools"));
  tools->setMovable(false);
  tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  auto add = [&](QMenu* menu, const QString& text, QStyle::StandardPixmap icon, QKeySequence keys,
                 auto handler, bool onToolBar) {
    QAction* action = menu->addAction(style()->standardIcon(icon), text);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    if (onToolBar) tools->addAction(action);
    return action;
  };
  add(file, QStringLiteral("打开(&O)..."), QStyle::SP_DialogOpenButton, QKeySequence::Open,
      &CSetoutWindow::OnOpen, true);
  m_recent = new CRecentFilesMenu(this);
  file->addMenu(m_recent);
  connect(m_recent, &CRecentFilesMenu::chosen, this, &CSetoutWindow::openKept);
  QAction* columns = add(file, QStringLiteral("列格式(&L)..."), QStyle::SP_FileDialogDetailedView,
                         {}, &CSetoutWindow::OnChooseColumns, false);
  add(file, QStringLiteral("控制点文件(&K)..."), QStyle::SP_DirOpenIcon, {},
      &CSetoutWindow::OnChooseControl, false);
  file->addSeparator();
  QAction* csv = add(
      file, QStringLiteral("导出 CSV(&E)..."), QStyle::SP_DialogSaveButton, {},
      [this] { m_output->exportCsv(sheet(), m_model->ticks().rows()); }, true);
  QAction* print = add(
      file, QStringLiteral("打印(&P)..."), QStyle::SP_FileIcon, QKeySequence::Print,
      [this] { m_output->print(sheet(), m_model->ticks().rows()); }, true);
  QAction* pdf = add(
      file, QStringLiteral("导出 PDF(&D)..."), QStyle::SP_FileLinkIcon, {},
      [this] { m_output->exportPdf(sheet(), m_model->ticks().rows()); }, true);
  file->addSeparator();
  add(file, QStringLiteral("关闭(&C)"), QStyle::SP_DialogCloseButton, QKeySequence::Close,
      &CSetoutWindow::close, true);
  QAction* copy = add(edit, QStringLiteral("复制(&C)"), QStyle::SP_FileIcon, QKeySequence::Copy,
                      &CSetoutWindow::OnCopy, false);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  m_table->addAction(copy);
  QAction* all = edit->addAction(QStringLiteral("全选(&A)"), QKeySequence::SelectAll, m_table,
                                 &QTableView::selectAll);
  QAction* tick = add(edit, QStringLiteral("已放样(&T)"), QStyle::SP_DialogApplyButton,
                      QKeySequence(Qt::CTRL | Qt::Key_T), &CSetoutWindow::OnToggleTicks, false);
  tick->setStatusTip(QStringLiteral("把选中的点标为已放样，或取消标记"));
  tools->addSeparator();
  QAction* route = view->addAction(QStringLiteral("路线(&R)"));
  route->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  route->setStatusTip(QStringLiteral("从测站起，每次走到最近的未放样点：按此顺序排列并画出"));
  tools->addAction(route);
  m_ordering =
      new CRowOrdering(*m_model, *m_table, *m_sketch, *m_filters, *route, *m_orderer, this);
  connect(m_ordering, &CRowOrdering::reordered, this, [this] {
    showMessagesAcross();
    showCounts();
  });
  view->addAction(QStringLiteral("文件顺序(&O)"), m_ordering, &CRowOrdering::showFileOrder);
  m_sheetActions = {columns, csv, print, pdf, copy, all, tick};
  for (QAction* action : m_sheetActions) action->setEnabled(false);
}

// A progress bar and 取消 for the jobs of `runner`, shown while one runs.
QProgressBar* CSetoutWindow::addJobStatus(CJobRunner* runner, const QString& name) {
  auto* bar = new QProgressBar(this);
  bar->setRange(0, 100);
  bar->setMaximumWidth(200);
  bar->setObjectName(name + QStringLiteral("Progress"));
  auto* cancel = new QPushButton(QStringLiteral("取消"), this);
  cancel->setObjectName(name);
  statusBar()->addPermanentWidget(bar);
  statusBar()->addPermanentWidget(cancel);
  const auto show = [bar, cancel](bool busy) {
    bar->setVisible(busy);
    cancel->setVisible(busy);
    bar->setValue(0);
  };
  show(false);
  connect(runner, &CJobRunner::started, this, [show] { show(true); });
  connect(runner, &CJobRunner::ended, this, [this, show] {
    show(false);
    showCounts();
  });
  connect(runner, &CJobRunner::progress, bar, &QProgressBar::setValue);
  connect(cancel, &QPushButton::clicked, runner, &CJobRunner::cancel);
  return bar;
}

void CSetoutWindow::createStatusBar() {
  m_counts = new QLabel(QStringLiteral("请打开坐标文件（Ctrl+O）"), this);
  statusBar()->addWidget(m_counts, 1);
  addJobStatus(m_loader, QStringLiteral("cancel"));
  addJobStatus(m_orderer, QStringLiteral("cancelOrdering"));
  addJobStatus(m_writer, QStringLiteral("cancelWriting"));
  // A read that is cancelled leaves the window on what it showed; the same
  // request may be read again.
  connect(m_loader, &CJobRunner::cancelled, this, [this] {
    m_wanted = m_shown;
    m_wantedTicks.reset();
    m_started.reset();
  });
}

void CSetoutWindow::load(const reading::SheetRequest& request) {
  Source source;
  if (const auto* file = std::get_if<reading::DesignFile>(&request.design))
    source.path = QString::fromStdString(file->path);
  source.columns = columnsText(request.columns);
  if (const auto* control = std::get_if<reading::ControlFile>(&request.known)) {
    source.controlPath = QString::fromStdString(control->path);
    if (control->columns) source.controlColumns = columnsText(*control->columns);
  }
  {
    const QSignalBlocker quiet(m_panel);  // showing the request is no change of the user's
    if (request.setup) m_panel->showSetup(std::get<reading::StationAndBacksight>(*request.setup));
    m_panel->setDecimals(request.azimuthDecimals.value_or(request.decimals), request.decimals);
  }
  if (request.setup) m_setup = request.setup;
  if (keptPath(source.path) != keptPath(m_shown.path) || m_shown.points)
    m_wantedTicks = keptTicks(source.path);
  read(source);
}

void CSetoutWindow::loadPoints(const QString& title, std::vector<reading::DesignPoint> points) {
  Source source;
  source.title = title;
  source.points = std::make_shared<const std::vector<reading::DesignPoint>>(std::move(points));
  source.columns = kPointColumns;
  m_wantedTicks.emplace();
  read(source);
}

void CSetoutWindow::reopenLast() {
  const QStringList recent = RecentFiles(1);
  if (!recent.isEmpty()) openKept(recent.front());
}

void CSetoutWindow::openKept(const QString& path) {
  if (!fileIsThere(path)) return;
  Source source;
  source.path = path;
  if (const auto kept = SheetSetup::Recall(keptPath(path))) {
    applySetup(*kept, source);
  } else {
    source.columns = Recalled(kColumns, kDefaultColumns).toString();
    m_wantedTicks.emplace();
  }
  read(source);
}

// Whether the file at `path` is there; where it is not, a message box says so.
bool CSetoutWindow::fileIsThere(const QString& path) {
  if (QFileInfo(path).isFile()) return true;
  reading::FileError missing;
  missing.what = reading::FileError::What::kCannotOpen;
  missing.path = path.toStdString();
  missing.error = QFileInfo::exists(path) ? EISDIR : ENOENT;
  ShowSheetProblem(*this, FileProblem(missing));
  return false;
}

// The kept setup in the panel and in `source`, its ticks to go on the
// file's rows once they show.
void CSetoutWindow::applySetup(const SheetSetup& setup, Source& source) {
  source.columns = setup.columns;
  source.controlPath = setup.controlPath;
  source.controlColumns = setup.controlColumns;
  {
    const QSignalBlocker quiet(m_panel);
    m_panel->showSetup(
        setup.setup ? std::get<reading::StationAndBacksight>(*setup.setup)
                    : reading::StationAndBacksight{reading::PointName{}, reading::PointName{}});
    m_panel->setDecimals(setup.angleDecimals, setup.distanceDecimals);
  }
  m_setup = setup.setup;
  m_wantedTicks = setup.ticks;
}

// The shown file's setup, kept for it.
void CSetoutWindow::keepSetup() {
  m_keepTicks.stop();
  if (m_shown.path.isEmpty() || !m_model->sheet()) return;
  SheetSetup setup;
  setup.columns = m_shown.columns;
  setup.controlPath = m_shown.controlPath;
  setup.controlColumns = m_shown.controlColumns;
  setup.setup = m_setup;
  setup.angleDecimals = m_panel->angleDecimals();
  setup.distanceDecimals = m_panel->distanceDecimals();
  setup.ticks = m_model->ticks().kept();
  setup.Keep(keptPath(m_shown.path));
}

std::shared_ptr<const SetoutSheet> CSetoutWindow::sheet() const {
  const auto& shown = m_model->sheet();
  return shown && !shown->listed ? shown : nullptr;
}

void CSetoutWindow::OnOpen() {
  const QString path = chooseFile(QStringLiteral("打开坐标文件"));
  if (path.isEmpty()) return;
  Remember(kFolder, QFileInfo(path).absolutePath());
  const auto kept = SheetSetup::Recall(keptPath(path));
  QString columns = kept                     ? kept->columns
                    : m_shown.path.isEmpty() ? Recalled(kColumns, kDefaultColumns).toString()
                                             : m_shown.columns;
  if (!askColumns(path, columns)) return;
  Remember(kColumns, columns);
  // A file opened before comes back with its setup; another one takes the
  // control file and the station of the sheet shown.
  Source source = m_shown;
  if (kept) {
    applySetup(*kept, source);
  } else {
    m_wantedTicks.emplace();
  }
  source.path = path;
  source.title.clear();
  source.points.reset();
  source.columns = columns;
  read(source);
}

void CSetoutWindow::OnChooseColumns() {
  if (m_shown.path.isEmpty()) return;
  QString columns = m_shown.columns;
  if (!askColumns(m_shown.path, columns)) return;
  Remember(kColumns, columns);
  Source source = m_shown;
  source.columns = columns;
  read(source);
}

// A coordinate file picked in Qt's own (Chinese) dialog, starting in the
// folder of the last design file; "" when the user cancels.
QString CSetoutWindow::chooseFile(const QString& title) {
  return QFileDialog::getOpenFileName(this, title, Recalled(kFolder, QString()).toString(),
                                      fileFilter(), nullptr, QFileDialog::DontUseNativeDialog);
}

// The layout dialog on the file's first lines.
bool CSetoutWindow::askColumns(const QString& path, QString& columns) {
  CColumnLayoutDialog dialog(ReadPreviewRows(path, kPreviewRows), columns, PointColumnsProblem,
                             this);
  if (dialog.exec() != QDialog::Accepted) return false;
  columns = dialog.columns();
  return true;
}

void CSetoutWindow::OnChooseControl() {
  const QString path = chooseFile(QStringLiteral("打开控制点文件"));
  if (path.isEmpty()) return;
  QString columns = m_shown.controlColumns.isEmpty() ? m_shown.columns : m_shown.controlColumns;
  if (!askColumns(path, columns)) return;
  Remember(kControlColumns, columns);
  Source source = m_shown;
  source.controlPath = path;
  source.controlColumns = columns;
  m_panel->setControlFile(QFileInfo(path).fileName());
  read(source);
}

// Names are looked up among the design points again.
void CSetoutWindow::OnRemoveControl() {
  Source source = m_shown;
  source.controlPath.clear();
  source.controlColumns.clear();
  m_panel->setControlFile(QString());
  read(source);
}

// The request of `source` with the panel's fields; the panel's setup is
// left out, and `problem` says why, where a field is wrong.
reading::SheetRequest CSetoutWindow::requestOf(const Source& source, QString& problem) const {
  reading::SheetRequest request;
  request.mode = reading::Mode::kSetout;
  const PanelSetup panel = m_panel->setup();
  problem = panel.problem;
  if (panel.setup) request.setup = *panel.setup;
  request.columns = columnsOf(source.columns);
  request.decimals = m_panel->distanceDecimals();
  request.azimuthDecimals = m_panel->angleDecimals();
  if (source.controlPath.isEmpty()) {
    request.known = reading::DesignNames();
  } else {
    reading::ControlFile control{source.controlPath.toStdString(), std::nullopt};
    if (!source.controlColumns.isEmpty()) control.columns = columnsOf(source.controlColumns);
    request.known = std::move(control);
  }
  if (source.points)
    request.design = *source.points;
  else
    request.design = reading::DesignFile{source.path.toStdString()};
  return request;
}

// Reads `source` with the panel's fields as they stand; without `again`,
// only where that is not what was read last (a field left unchanged reads
// nothing again). The rows are put in the order asked for in the same job.
void CSetoutWindow::read(const Source& source, bool again) {
  if (source.path.isEmpty() && !source.points) return;
  QString problem;
  reading::SheetRequest request = requestOf(source, problem);
  if (!again && m_started && *m_started == request && m_startedProblem == problem) return;
  m_wanted = source;
  m_started = request;
  m_startedProblem = problem;
  SheetJob job{std::move(request), source.title, m_known};
  const RowOrder order = m_ordering->wanted();
  // The ticks the order goes by: those of the file being read.
  const bool byTicks = order.by == RowOrder::By::kRoute ||
                       (order.by == RowOrder::By::kColumn && order.column == CSheetModel::kTicked);
  std::vector<SheetTicks::Tick> ticks;
  if (byTicks) ticks = m_wantedTicks ? *m_wantedTicks : m_model->ticks().kept();
  m_counts->setText(QStringLiteral("正在读取 %1 ...")
                        .arg(source.points ? source.title : QFileInfo(source.path).fileName()));
  m_loader->start([this, job = std::move(job), problem, order, ticks = std::move(ticks)](
                      const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
    auto result = std::make_shared<ReadResult>();
    const bool ordering = order.by != RowOrder::By::kFile || order.filters();
    result->sheet = ComputeSheet(
        job, stop, [&](int percent) { progress(ordering ? percent * 4 / 5 : percent); });
    const auto& shown = result->sheet.sheet ? result->sheet.sheet : result->sheet.listing;
    if (shown && !stop) {
      result->codes = RowCodes(shown->rows, kMaxCodes);
      SheetTicks matched;
      matched.setKept(ticks);
      matched.match(shown->rows);
      const auto ordered = OrderRows(*shown, matched.rows(), order, nullptr, stop,
                                     [&](int percent) { progress(80 + percent / 5); });
      if (ordered) {
        result->order = order;
        result->ordered = *ordered;
      }
    }
    return [this, result, problem] { showResult(*result, problem); };
  });
}

// The panel's choices as they stand, computed afresh.
void CSetoutWindow::recompute() {
  if (m_panel->angleDecimals() != Recalled(kAngleDecimals, 4).toInt())
    Remember(kAngleDecimals, m_panel->angleDecimals());
  if (m_panel->distanceDecimals() != Recalled(kDistanceDecimals, 3).toInt())
    Remember(kDistanceDecimals, m_panel->distanceDecimals());
  read(m_wanted, false);
}

void CSetoutWindow::showResult(const ReadResult& read, const QString& panelProblem) {
  const SheetResult& result = read.sheet;
  if (result.failure) {
    showReadFailure(FileProblem(result.failure));
    return;
  }
  // The file is read: its name goes over its sheet.
  m_shown = m_wanted;
  m_known = result.known;
  if (m_started && m_started->setup) m_setup = m_started->setup;
  setWindowTitle(QStringLiteral("放样表 - %1")
                     .arg(m_shown.points ? m_shown.title : QFileInfo(m_shown.path).fileName()));
  m_panel->setControlFile(QFileInfo(m_shown.controlPath).fileName());
  m_panel->setNames(std::shared_ptr<const NameIndex>(result.known, &result.known->index));
  const auto& shown = result.sheet ? result.sheet : result.listing;
  m_model->setSheet(shown, read.ordered);
  if (m_wantedTicks) {
    m_model->setKeptTicks(*m_wantedTicks);
    m_wantedTicks.reset();
  }
  m_sketch->setSheet(shown);
  m_table->setColumnHidden(CSheetModel::kDistance, shown && shown->listed);
  if (!result.sheet) {
    m_panel->setCheckLine(panelProblem.isEmpty() ? SheetProblem(result.problem) : panelProblem,
                          true);
    m_sketch->setEmptyText(QStringLiteral("测站和后视改正后，这里显示放样示意图"));
  } else {
    m_panel->setCheckLine(CheckLineText(*result.sheet), false);
  }
  if (shown) {
    showMessagesAcross();
    fitColumns();
  }
  for (QAction* action : m_sheetActions) action->setEnabled(shown != nullptr);
  for (QAction* action : m_sheetActions.mid(1, 3)) action->setEnabled(result.sheet != nullptr);
  // 列格式 is for a file's columns.
  m_sheetActions.front()->setEnabled(!m_shown.path.isEmpty());
  m_ordering->sheetShown(read.order, read.codes, result.sheet != nullptr);
  showCounts();
  keepSetup();
}

// A file that cannot be read: the window keeps what it showed, and the same
// request may read the file again once it is mended.
void CSetoutWindow::showReadFailure(const QString& message) {
  m_wanted = m_shown;
  m_wantedTicks.reset();
  m_started.reset();
  showCounts();
  ShowSheetProblem(*this, message);
}

// Each column as wide as its texts: Qt measures the first thousand rows,
// and the rows of the widest names and codes are measured besides, so that
// a long name far down a big file shows whole. With room to breathe.
void CSetoutWindow::fitColumns() {
  m_table->resizeColumnsToContents();
  const QFontMetrics metrics = m_table->fontMetrics();
  const int room = metrics.horizontalAdvance(QStringLiteral("00"));
  // A cell's text has a focus frame's margin and a pixel at each side.
  const int margins =
      2 * (m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1);
  const SheetRows& rows = m_model->sheet()->rows;
  for (int column = 0; column < CSheetModel::kColumnCount; ++column) {
    int width = m_table->columnWidth(column);
    if (column == CSheetModel::kName || column == CSheetModel::kCode) {
      const SheetRows::Field field = CSheetModel::FieldOf(column);
      for (const std::uint32_t row : rows.widest(field))
        width = std::max(
            width, metrics.horizontalAdvance(QString::fromUtf8(rows.field(row, field))) + margins);
    }
    // The check box needs no room beyond its heading's.
    m_table->setColumnWidth(column, column == CSheetModel::kTicked ? width : width + room);
  }
}

// A failed row's message takes the cells of the numbers it has none of.
void CSetoutWindow::showMessagesAcross() {
  m_table->clearSpans();
  const auto& shown = m_model->sheet();
  if (!shown || shown->rows.failedCount() == 0) return;
  for (int row = 0; row < m_model->rowCount(); ++row)
    if (m_model->failed(row))
      m_table->setSpan(row, CSheetModel::kAzimuth, 1,
                       CSheetModel::kColumnCount - CSheetModel::kAzimuth);
}

void CSetoutWindow::showCounts() {
  // The job's own words stay.
  if (m_loader->busy() || m_writer->busy() || m_orderer->busy()) return;
  const auto& shown = m_model->sheet();
  if (!shown) {
    m_counts->setText(m_shown.path.isEmpty() && !m_shown.points
                          ? QStringLiteral("请打开坐标文件（Ctrl+O）")
                          : QString());
    return;
  }
  QString text =
      QStringLiteral("%1 个点，%2 行有误").arg(shown->rows.size()).arg(shown->rows.failedCount());
  if (m_model->ticks().count() > 0)
    text += QStringLiteral("，已放样 %1 个").arg(m_model->ticks().count());
  if (m_ordering->shown().filters())
    text += QStringLiteral("，显示 %1 个").arg(m_model->rowCount());
  m_counts->setText(text);
}

void CSetoutWindow::syncSelectionToSketch() {
  const QModelIndex current = m_table->selectionModel()->currentIndex();
  m_sketch->setSelectedRow(current.isValid() ? m_model->sheetRow(current.row()) : -1);
}

// Selects the table's row of the sheet's row `row`, where it is shown.
void CSetoutWindow::selectRow(std::ptrdiff_t row) {
  const int shown = m_model->shownRow(static_cast<std::size_t>(row));
  if (shown < 0) return;
  const QModelIndex index = m_model->index(shown, CSheetModel::kName);
  m_table->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_table->scrollTo(index);
}

void CSetoutWindow::OnCopy() {
  QList<int> rows;
  for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  if (!rows.isEmpty()) QGuiApplication::clipboard()->setText(m_model->tabSeparated(rows));
}

// Ticks the selected rows, or unticks them where all are ticked.
void CSetoutWindow::OnToggleTicks() {
  QList<int> rows;
  bool allTicked = true;
  for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) {
    rows << index.row();
    allTicked = allTicked && m_model->ticks().ticked(m_model->sheetRow(index.row()));
  }
  m_model->setTicked(rows, !allTicked);
}

void CSetoutWindow::ticksChanged() {
  m_sketch->update();
  showCounts();
  m_keepTicks.start(kKeepTicksAfterMs, this);
}

void CSetoutWindow::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_keepTicks.timerId()) return keepSetup();
  QMainWindow::timerEvent(event);
}

void CSetoutWindow::closeEvent(QCloseEvent* event) {
  if (m_keepTicks.isActive()) keepSetup();
  m_loader->cancel();
  m_orderer->cancel();
  m_writer->cancel();
  event->accept();
}
