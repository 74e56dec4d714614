#include "ui/sheet/setout_window.h"

#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QTimerEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <cerrno>
#include <unordered_set>

#include "reader/sheet/sheet_resolver.h"
#include "res/resource.h"
#include "res/resources.h"
#include "ui/common/file_path.h"
#include "ui/common/job_runner.h"
#include "ui/common/job_status.h"
#include "ui/common/problem_text.h"
#include "ui/common/window_actions.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/kept_file_setups.h"
#include "ui/sheet/kept_station_setup.h"
#include "ui/sheet/page_heading_dialog.h"
#include "ui/sheet/recent_files_menu.h"
#include "ui/sheet/row_filter_bar.h"
#include "ui/sheet/row_order_controls.h"
#include "ui/sheet/setout_conf.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_job.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_output.h"
#include "ui/sheet/sheet_table.h"
#include "ui/sheet/sightings_dialog.h"
#include "ui/sheet/sketch_widget.h"
#include "ui/sheet/station_panel.h"

using namespace setout_conf;

namespace {

const QString kDefaultColumns = QStringLiteral("name,code,y,x,h");
constexpr int kPreviewRows = 12;        // of a file, in the layout dialog
constexpr std::size_t kMaxCodes = 500;  // listed in the filter bar
constexpr int kKeepTicksAfterMs = 500;  // the ticks are kept once they rest this long

QString fileFilter() { return QStringLiteral("坐标文件 (*.dat *.csv *.txt);;所有文件 (*)"); }

// A file as its setup is kept: by its absolute path as the window shows it
// (file_path.h).
QString keptPath(const std::string& path) { return ShownPath(path); }

// The layout last chosen for a design file, or for a control file; where
// none is kept, the column list an earlier run kept alone.
FileLayout recalledLayout(bool control) {
  FileLayout fallback;
  fallback.columns = control ? Recalled(kControlColumns, QString()).toString()
                             : Recalled(kColumns, kDefaultColumns).toString();
  return NextFileLayout(LayoutOf(Recalled(control ? kControlLayout : kLayout), fallback));
}

// The layout for the next file: the encoding stays the file's own.
void rememberLayout(bool control, const FileLayout& layout) {
  Remember(control ? kControlLayout : kLayout, LayoutValue(NextFileLayout(layout)));
}

// The name the window gives what `source` reads.
QString nameOf(const QString& title, const std::string& path, bool points) {
  return points ? title : ShownFileName(path);
}

reading::AngleFormat angleFormatOf(const QString& name) {
  reading::AngleFormat format = reading::AngleFormat::kPacked;
  reading::ReadAngleFormat(name.toStdString(), format);
  return format;
}

// Writes `value` where it differs from what is remembered.
void rememberChanged(const QString& key, const QVariant& value) {
  if (Recalled(key) != value) Remember(key, value);
}

// The ticks kept for the file at `path`, none where none are.
std::vector<SheetTicks::Tick> keptTicks(const std::string& path) {
  const auto kept = SheetSetup::Recall(keptPath(path));
  return kept ? kept->ticks : std::vector<SheetTicks::Tick>();
}

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
  m_wanted.layout = recalledLayout(false);
  m_wanted.controlLayout = recalledLayout(true);
  m_shown = m_wanted;
  m_model->setDesignShown(Recalled(kDesignShown, false).toBool());
  createCentre();
  createActions();
  createStatusBar();
  // The panel's choices as the last window left them, for a file with no
  // setup of its own.
  m_panel->setDecimals(Recalled(kAngleDecimals, 4).toInt(), Recalled(kDistanceDecimals, 3).toInt());
  int method = 0;
  reading::OrientedStation kept;
  SetupLimits limits;
  if (ReadSetupRecord(Recalled(kSetup), method, kept, limits)) {
    m_panel->setOriented(kept, limits);
    m_panel->setMethod(CStationPanel::Method(method));
  }
  m_panel->setAngleFormat(angleFormatOf(Recalled(kAngleFormat).toString()));
  m_panel->setHeightTexts(
      {Recalled(kStationHeight).toString(), Recalled(kInstrumentHeight).toString(),
       Recalled(kTargetHeight).toString(), Recalled(kEarthCorrection, false).toBool()});
  const QStringList heading = Recalled(kPageHeading).toStringList();
  for (std::size_t i = 0; i < m_heading.fields.size() && i < std::size_t(heading.size()); ++i)
    m_heading.fields[i] = heading[static_cast<qsizetype>(i)];
  connect(m_panel, &CStationPanel::changed, this, &CSetoutWindow::recompute);
  connect(m_panel, &CStationPanel::setupRequested, this, &CSetoutWindow::OnSetupDialog);
  connect(m_output, &CSheetOutput::working, m_counts, &QLabel::setText);
  connect(m_panel, &CStationPanel::controlFileRequested, this, &CSetoutWindow::OnChooseControl);
  connect(m_panel, &CStationPanel::controlFileRemoved, this, &CSetoutWindow::OnRemoveControl);
  connect(m_model, &CSheetModel::ticksChanged, this, &CSetoutWindow::ticksChanged);
  // A read the user cancelled runs no command that waited for it.
  connect(m_loader, &CJobRunner::cancelled, this, [this] { m_afterRead = nullptr; });
  const QRect screen = this->screen()->availableGeometry();
  resize(QSize(1000, 680).boundedTo(screen.size() * 9 / 10));
}

// The runners wait for their jobs, which look at their stop flags often.
// The panel says nothing more: a field that loses the focus as the window
// goes would read it again from members already gone.
CSetoutWindow::~CSetoutWindow() { m_panel->disconnect(this); }

void CSetoutWindow::createCentre() {
  auto* centre = new QWidget(this);
  auto* layout = new QVBoxLayout(centre);
  m_panel = new CStationPanel(centre);
  layout->addWidget(m_panel);

  auto* left = new QWidget(centre);
  auto* tableSide = new QVBoxLayout(left);
  tableSide->setContentsMargins(0, 0, 0, 0);
  m_filters = new CRowFilterBar(left);
  m_table = new CSheetTable(*m_model, left);
  tableSide->addWidget(m_filters);
  tableSide->addWidget(m_table, 1);
  m_sketch = new CSketchWidget(centre);
  m_sketch->setTicked(&m_model->ticks().rows());

  m_split = new QSplitter(Qt::Horizontal, centre);
  m_split->addWidget(left);
  m_split->addWidget(m_sketch);
  m_split->setStretchFactor(0, 3);
  m_split->setStretchFactor(1, 2);
  m_split->setChildrenCollapsible(false);
  layout->addWidget(m_split, 1);
  setCentralWidget(centre);

  connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { m_sketch->setSelectedRow(m_table->currentSheetRow()); });
  connect(m_sketch, &CSketchWidget::rowClicked, m_table, &CSheetTable::selectSheetRow);
}

void CSetoutWindow::createActions() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
  QMenu* view = menuBar()->addMenu(QStringLiteral("查看(&V)"));
  QToolBar* tools = AddToolBar(*this);
  auto add = [&](QMenu* menu, const QString& text, QStyle::StandardPixmap icon, QKeySequence keys,
                 auto handler, bool onToolBar) {
    QAction* action = AddMenuAction(*menu, onToolBar ? tools : nullptr, icon, text, keys);
    connect(action, &QAction::triggered, this, handler);
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
      [this] { afterTyping([this] { m_output->exportCsv(sheet(), choices(), m_model->ticks().rows()); }); }, true);
  QAction* print = add(
      file, QStringLiteral("打印(&P)..."), QStyle::SP_FileIcon, QKeySequence::Print,
      [this] { afterTyping([this] { m_output->print(sheet(), choices(), m_model->ticks().rows()); }); }, true);
  QAction* pdf = add(
      file, QStringLiteral("导出 PDF(&D)..."), QStyle::SP_FileLinkIcon, {},
      [this] { afterTyping([this] { m_output->exportPdf(sheet(), choices(), m_model->ticks().rows()); }); }, true);
  add(file, QStringLiteral("页眉(&H)..."), QStyle::SP_FileDialogInfoView, {},
      &CSetoutWindow::OnPageHeading, false);
  file->addSeparator();
  add(file, QStringLiteral("关闭(&C)"), QStyle::SP_DialogCloseButton, QKeySequence::Close,
      &CSetoutWindow::close, true);
  QAction* copy = add(
      edit, QStringLiteral("复制(&C)"), QStyle::SP_FileIcon, QKeySequence::Copy,
      [this] { m_table->copySelected(); }, false);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  m_table->addAction(copy);
  QAction* all = edit->addAction(QStringLiteral("全选(&A)"), QKeySequence::SelectAll, m_table,
                                 &QTableView::selectAll);
  QAction* tick = add(
      edit, QStringLiteral("已放样(&T)"), QStyle::SP_DialogApplyButton,
      QKeySequence(Qt::CTRL | Qt::Key_T), [this] { m_table->toggleTicks(); }, false);
  tick->setStatusTip(QStringLiteral("把选中的点标为已放样，或取消标记"));
  tools->addSeparator();
  QAction* route = view->addAction(QStringLiteral("路线(&R)"));
  route->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  route->setStatusTip(QStringLiteral("从测站起，每次走到最近的未放样点：按此顺序排列并画出"));
  tools->addAction(route);
  m_ordering =
      new CRowOrdering(*m_model, *m_table, *m_sketch, *m_filters, *route, *m_orderer, this);
  connect(m_ordering, &CRowOrdering::reordered, this, [this] {
    m_table->showMessagesAcross();
    showCounts();
  });
  view->addAction(QStringLiteral("文件顺序(&O)"), m_ordering, &CRowOrdering::showFileOrder);
  QAction* design = view->addAction(QStringLiteral("设计坐标(&X)"));
  design->setObjectName(QStringLiteral("designShown"));
  design->setCheckable(true);
  design->setChecked(m_model->designShown());
  connect(design, &QAction::toggled, this, &CSetoutWindow::OnShowDesign);
  m_sheetActions = {columns, csv, print, pdf, copy, all, tick};
  for (QAction* action : m_sheetActions) action->setEnabled(false);
}

void CSetoutWindow::createStatusBar() {
  m_counts = new QLabel(QStringLiteral("请打开坐标文件（Ctrl+O）"), this);
  statusBar()->addWidget(m_counts, 1);
  AddJobStatus(*statusBar(), *m_loader, QStringLiteral("cancel"));
  AddJobStatus(*statusBar(), *m_orderer, QStringLiteral("cancelOrdering"));
  AddJobStatus(*statusBar(), *m_writer, QStringLiteral("cancelWriting"));
  for (CJobRunner* runner : {m_loader, m_orderer, m_writer})
    connect(runner, &CJobRunner::ended, this, &CSetoutWindow::showCounts);
  // A read that is cancelled leaves the window on what it showed; the same
  // request may be read again.
  connect(m_loader, &CJobRunner::cancelled, this, [this] {
    m_wanted = m_shown;
    m_wantedTicks.reset();
    m_started.reset();
  });
}

void CSetoutWindow::load(const reading::SheetRequest& request) {
  const Source source = Source::Of(request);
  {
    const QSignalBlocker quiet(m_panel);  // showing the request is no change of the user's
    if (request.setup)
      std::visit([this](const auto& setup) { m_panel->showSetup(setup); }, *request.setup);
    m_panel->setDecimals(request.azimuthDecimals.value_or(request.decimals), request.decimals);
    m_panel->setAngleFormat(request.angleFormat);
    m_panel->showHeights(request.heights);
  }
  if (const auto* rows = request.setup ? std::get_if<reading::StationAndBacksight>(&*request.setup)
                                       : nullptr)
    m_setup = *rows;
  if (keptPath(source.path) != keptPath(m_shown.path) || m_shown.points)
    m_wantedTicks = keptTicks(source.path);
  read(source);
}

void CSetoutWindow::loadPoints(const QString& title, std::vector<reading::DesignPoint> points) {
  m_wantedTicks.emplace();
  // The setup of the file shown before is kept where its points are among
  // these; else it is asked for, and the points show listed meanwhile.
  std::unordered_set<std::string> names;
  for (const reading::DesignPoint& point : points) names.insert(point.name);
  m_panel->forgetNamesNotIn([&names](const std::string& name) { return names.contains(name); });
  read(Source::OfPoints(title, std::move(points)));
}

void CSetoutWindow::reopenLast() {
  const QStringList recent = RecentFiles(1);
  if (!recent.isEmpty()) openKept(recent.front());
}

void CSetoutWindow::openKept(const QString& path) {
  Source source;
  source.path = ChosenFileBytes(path);
  if (!fileIsThere(source.path)) return;
  if (const auto kept = SheetSetup::Recall(keptPath(source.path))) {
    applySetup(*kept, source);
  } else {
    source.layout = recalledLayout(false);
    m_wantedTicks.emplace();
  }
  read(source);
}

// Whether the file at `path` is there; where it is not, a message box says so.
bool CSetoutWindow::fileIsThere(const std::string& path) {
  struct stat status {};
  const bool exists = stat(path.c_str(), &status) == 0;
  if (exists && S_ISREG(status.st_mode)) return true;
  reading::FileError missing;
  missing.what = reading::FileError::What::kCannotOpen;
  missing.path = path;
  missing.error = exists ? EISDIR : ENOENT;
  ShowSheetProblem(*this, FileProblem(missing));
  return false;
}

// The kept setup in the panel and in `source`, its ticks to go on the
// file's rows once they show.
void CSetoutWindow::applySetup(const SheetSetup& setup, Source& source) {
  source.layout = setup.layout;
  source.controlPath = setup.controlPath.isEmpty() ? std::string() : ChosenFileBytes(setup.controlPath);
  source.controlLayout = setup.controlLayout;
  {
    const QSignalBlocker quiet(m_panel);
    m_panel->showSetup(setup.setup ? *setup.setup
                                   : reading::StationAndBacksight{reading::PointName{},
                                                                  reading::PointName{}});
    int method = 0;
    reading::OrientedStation oriented;
    SetupLimits limits;
    if (ReadSetupRecord(setup.stationSetup, method, oriented, limits)) {
      m_panel->setOriented(oriented, limits);
      m_panel->setMethod(CStationPanel::Method(method));
    }
    m_panel->setHeightTexts({setup.stationHeight, setup.instrumentHeight, setup.targetHeight,
                             setup.earthCorrection});
    if (!setup.angleFormat.isEmpty()) m_panel->setAngleFormat(angleFormatOf(setup.angleFormat));
    m_panel->setDecimals(setup.angleDecimals, setup.distanceDecimals);
  }
  // The design columns as the file was left, without keeping them for the
  // file shown until the kept one shows.
  if (auto* design = findChild<QAction*>(QStringLiteral("designShown"))) {
    const QSignalBlocker quiet(design);
    design->setChecked(setup.designShown);
    m_model->setDesignShown(setup.designShown);
  }
  m_setup = setup.setup;
  m_wantedTicks = setup.ticks;
}

// The shown file's setup, kept for it.
void CSetoutWindow::keepSetup() {
  m_keepTicks.stop();
  if (m_shown.path.empty() || !m_model->sheet()) return;
  SheetSetup setup;
  setup.layout = m_shown.layout;
  setup.controlPath = m_shown.controlPath.empty() ? QString() : ShownPath(m_shown.controlPath);
  setup.controlLayout = m_shown.controlLayout;
  setup.setup = m_setup;
  setup.stationSetup =
      SetupRecord(int(m_panel->method()), m_panel->oriented(), m_panel->limits());
  const CStationPanel::HeightTexts heights = m_panel->heightTexts();
  setup.stationHeight = heights.station;
  setup.instrumentHeight = heights.instrument;
  setup.targetHeight = heights.target;
  setup.earthCorrection = heights.earthCorrection;
  setup.angleFormat = QString::fromUtf8(reading::AngleFormatName(m_panel->angleFormat()));
  setup.angleDecimals = m_panel->angleDecimals();
  setup.distanceDecimals = m_panel->distanceDecimals();
  setup.designShown = m_model->designShown();
  setup.ticks = m_model->ticks().kept();
  const QString path = keptPath(m_shown.path);
  // Written where it changed (a new station, a tick), or for another file.
  if (m_kept && m_kept->first == path && m_kept->second == setup) return;
  setup.Keep(path);
  m_kept.emplace(path, std::move(setup));
}

std::shared_ptr<const SetoutSheet> CSetoutWindow::sheet() const {
  const auto& shown = m_model->sheet();
  return shown && !shown->listed ? shown : nullptr;
}

void CSetoutWindow::OnOpen() {
  const std::string path = chooseFile(QStringLiteral("打开坐标文件"));
  if (path.empty()) return;
  Remember(kFolder, FolderOf(path));
  const auto kept = SheetSetup::Recall(keptPath(path));
  FileLayout layout = kept                   ? kept->layout
                      : m_shown.path.empty() ? recalledLayout(false)
                                             : NextFileLayout(m_shown.layout);
  if (!askColumns(path, layout)) return;
  rememberLayout(false, layout);
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
  source.layout = layout;
  read(source);
}

void CSetoutWindow::OnChooseColumns() {
  if (m_shown.path.empty()) return;
  FileLayout layout = m_shown.layout;
  if (!askColumns(m_shown.path, layout)) return;
  rememberLayout(false, layout);
  Source source = m_shown;
  source.layout = layout;
  read(source);
}

// A coordinate file picked in Qt's own (Chinese) dialog, starting in the
// folder of the last design file, as its bytes; "" when the user cancels.
// Any name may be typed: a GBK one as it reads (file_path.h), which Qt
// would refuse as no file of its folder; the layout box says where a name
// is no file at all.
std::string CSetoutWindow::chooseFile(const QString& title) {
  QFileDialog dialog(this, title, Recalled(kFolder, QString()).toString(), fileFilter());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setLabelText(QFileDialog::Accept, QStringLiteral("打开(&O)"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return ChosenFileBytes(dialog.selectedFiles().front());
}

// The layout dialog on the file's first lines, read again as its encoding
// and lines to skip change.
bool CSetoutWindow::askColumns(const std::string& path, FileLayout& layout) {
  const auto read = [path](const reading::InputReading& with) {
    return ReadPreviewRows(path, kPreviewRows, with);
  };
  CColumnLayoutDialog dialog(read(layout.input), layout.columns, PointColumnsProblem, this, read,
                             layout.input);
  if (dialog.exec() != QDialog::Accepted) return false;
  layout = dialog.layout();
  return true;
}

void CSetoutWindow::OnChooseControl() {
  const std::string path = chooseFile(QStringLiteral("打开控制点文件"));
  if (path.empty()) return;
  FileLayout layout = m_shown.controlPath.empty() ? recalledLayout(true)
                                                  : NextFileLayout(m_shown.controlLayout);
  if (layout.columns.isEmpty()) layout.columns = m_shown.layout.columns;
  if (!askColumns(path, layout)) return;
  rememberLayout(true, layout);
  Source source = m_shown;
  source.controlPath = path;
  source.controlLayout = layout;
  m_panel->setControlFile(ShownFileName(path));
  read(source);
}

// Names are looked up among the design points again.
void CSetoutWindow::OnRemoveControl() {
  Source source = m_shown;
  source.controlPath.clear();
  source.controlLayout = FileLayout();
  m_panel->setControlFile(QString());
  read(source);
}

// The setup dialog on the panel's setup on sightings; what it gives is
// kept, in the panel and between runs, and computed.
void CSetoutWindow::OnSetupDialog() {
  m_panel->flush();
  CSetupDialog dialog(m_panel->oriented(), m_known, m_panel->limits(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_panel->setOriented(dialog.setup(), dialog.limits());
  recompute();
}

// Runs `command` on the fields as they are shown: what is typed and not yet
// settled is computed first, and `command` runs once its sheet shows. Where
// the fields give no sheet, the reason is said instead.
void CSetoutWindow::afterTyping(std::function<void()> command) {
  m_panel->flush();
  m_afterRead = std::move(command);
  if (!m_loader->busy()) runAfterRead();
}

void CSetoutWindow::runAfterRead() {
  if (!m_afterRead) return;
  const std::function<void()> command = std::move(m_afterRead);
  m_afterRead = nullptr;
  if (sheet()) {
    command();
  } else if (!m_problem.isEmpty()) {
    ShowSheetProblem(*this, m_problem);
  }
}

// Reads `source` with the panel's fields as they stand; without `again`,
// only where that is not what was read last (a field left unchanged reads
// nothing again). The rows are put in the order asked for in the same job.
void CSetoutWindow::read(const Source& source, bool again) {
  if (source.empty()) return;
  QString problem;
  reading::SheetRequest request = source.request(*m_panel, problem);
  const SetupLimits limits = m_panel->limits();
  if (!again && m_started && *m_started == request && m_startedProblem == problem &&
      m_startedLimits == limits)
    return;
  m_wanted = source;
  m_started = request;
  m_startedProblem = problem;
  m_startedLimits = limits;
  SheetJob job{std::move(request), source.title, m_known, limits};
  const RowOrder order = m_ordering->wanted();
  // The ticks the order goes by: those of the file being read.
  const bool byTicks = order.by == RowOrder::By::kRoute || order.by == RowOrder::By::kTicked;
  std::vector<SheetTicks::Tick> ticks;
  if (byTicks) ticks = m_wantedTicks ? *m_wantedTicks : m_model->ticks().kept();
  const QString reading = QStringLiteral("正在读取 %1 ...")
                              .arg(nameOf(source.title, source.path, source.points != nullptr));
  m_counts->setText(reading);
  // A file is being read: the empty sketch says so, not to open one.
  m_sketch->setEmptyText(reading);
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
  rememberPanel();
  read(m_wanted, false);
}

// The panel's choices, for the next window on a file without a setup of
// its own: the decimals, the station setup, the angles' format and the
// heights as typed.
void CSetoutWindow::rememberPanel() {
  rememberChanged(kAngleDecimals, m_panel->angleDecimals());
  rememberChanged(kDistanceDecimals, m_panel->distanceDecimals());
  rememberChanged(kSetup,
                  SetupRecord(int(m_panel->method()), m_panel->oriented(), m_panel->limits()));
  rememberChanged(kAngleFormat,
                  QString::fromUtf8(reading::AngleFormatName(m_panel->angleFormat())));
  const CStationPanel::HeightTexts heights = m_panel->heightTexts();
  rememberChanged(kStationHeight, heights.station);
  rememberChanged(kInstrumentHeight, heights.instrument);
  rememberChanged(kTargetHeight, heights.target);
  rememberChanged(kEarthCorrection, heights.earthCorrection);
}

SheetChoices CSetoutWindow::choices() const { return {m_model->designShown(), m_heading}; }

void CSetoutWindow::OnPageHeading() {
  CPageHeadingDialog dialog(m_heading, this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_heading = dialog.heading();
  Remember(kPageHeading, QStringList(m_heading.fields.begin(), m_heading.fields.end()));
}

void CSetoutWindow::OnShowDesign(bool shown) {
  Remember(kDesignShown, shown);
  m_model->setDesignShown(shown);
  m_table->showMessagesAcross();
  m_table->fitColumns();
  m_ordering->syncControls();
  fitSplit();
  keepSetup();
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
  if (m_started && m_started->setup) {
    if (const auto* rows = std::get_if<reading::StationAndBacksight>(&*m_started->setup))
      m_setup = *rows;
  }
  setWindowTitle(QStringLiteral("放样表 - %1")
                     .arg(nameOf(m_shown.title, m_shown.path, m_shown.points != nullptr)));
  m_panel->setControlFile(m_shown.controlPath.empty() ? QString()
                                                      : ShownFileName(m_shown.controlPath));
  m_panel->setNames(std::shared_ptr<const NameIndex>(result.known, &result.known->index));
  const auto& shown = result.sheet ? result.sheet : result.listing;
  m_model->setSheet(shown, read.ordered);
  if (m_wantedTicks) {
    m_model->setKeptTicks(*m_wantedTicks);
    m_wantedTicks.reset();
  }
  m_sketch->setSheet(shown);
  m_problem.clear();
  if (!result.sheet) {
    m_problem = panelProblem.isEmpty() ? SheetProblem(result.problem) : panelProblem;
    m_panel->setCheckLine(m_problem, true);
    m_sketch->setEmptyText(QStringLiteral("测站和后视改正后，这里显示放样示意图"));
  } else {
    // A setup on sightings: the station and orientation it gives, then its quality.
    const SetoutSheet& sheet = *result.sheet;
    m_panel->setCheckLine(sheet.setup
                              ? SetupLineText(sheet) + QLatin1Char('\n') + CheckLineText(sheet)
                              : CheckLineText(sheet),
                          false);
  }
  m_table->showMessagesAcross();
  m_table->fitColumns();
  if (shown) fitSplit();
  for (QAction* action : m_sheetActions) action->setEnabled(shown != nullptr);
  for (QAction* action : m_sheetActions.mid(1, 3)) action->setEnabled(result.sheet != nullptr);
  // 列格式 is for a file's columns.
  m_sheetActions.front()->setEnabled(!m_shown.path.empty());
  m_ordering->sheetShown(read.order, read.codes, result.sheet != nullptr);
  showCounts();
  keepSetup();
  runAfterRead();
}

// A file that cannot be read: the window keeps what it showed, and the same
// request may read the file again once it is mended.
void CSetoutWindow::showReadFailure(const QString& message) {
  // The panel goes back to the setup of the file shown, where another
  // file's was put in it: else that file's station and heights would be
  // worked out, and kept, for this one.
  if (m_wanted != m_shown && m_kept && !m_shown.path.empty() &&
      m_kept->first == keptPath(m_shown.path)) {
    Source shown = m_shown;
    applySetup(m_kept->second, shown);
  }
  m_wanted = m_shown;
  m_wantedTicks.reset();
  m_started.reset();
  m_afterRead = nullptr;
  m_sketch->setEmptyText(m_shown.empty() ? QStringLiteral("打开坐标文件后，这里显示放样示意图")
                                         : QStringLiteral("测站和后视改正后，这里显示放样示意图"));
  showCounts();
  ShowSheetProblem(*this, message);
}

// The table as wide as its columns where the window has room for them, at
// most two thirds of it: a sheet with the sight's columns shows them, not
// the sketch's margin. It only grows; the sketch keeps the rest.
void CSetoutWindow::fitSplit() {
  const int whole = m_split->width();
  int wanted = m_table->verticalHeader()->width() + 2 * m_table->frameWidth() +
               m_table->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < m_model->columnCount(); ++column)
    wanted += m_table->columnWidth(column);
  const int table = std::min(wanted, whole * 2 / 3);
  if (table > m_split->sizes().front()) m_split->setSizes({table, whole - table});
}

void CSetoutWindow::showCounts() {
  // The job's own words stay.
  if (m_loader->busy() || m_writer->busy() || m_orderer->busy()) return;
  const auto& shown = m_model->sheet();
  if (!shown) {
    m_counts->setText(m_shown.path.empty() && !m_shown.points
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
