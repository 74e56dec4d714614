#include "ui/sheet/setout_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "reader/sheet_resolver.h"
#include "res/resource.h"
#include "res/resources.h"
#include "ui/common/job_runner.h"
#include "ui/common/job_status.h"
#include "ui/common/window_actions.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/file_path.h"
#include "ui/sheet/page_heading_dialog.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setup_dialog.h"
#include "ui/sheet/setup_record.h"
#include "ui/sheet/sheet_job.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_output.h"
#include "ui/sheet/sheet_settings.h"
#include "ui/sheet/sketch_widget.h"
#include "ui/sheet/station_panel.h"

using namespace sheet_settings;

namespace {

const QString kDefaultColumns = QStringLiteral("name,code,y,x,h");
constexpr int kPreviewRows = 12;  // of a file, in the layout dialog

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

// A caller's points are read as the rows of these columns.
const QString kPointColumns = QStringLiteral("name,code,x,y,h");

// The layout last chosen for a design file, or for a control file; where
// none is kept, the column list an earlier run kept alone.
FileLayout recalledLayout(bool control) {
  FileLayout fallback;
  fallback.columns = control ? Recalled(kControlColumns, QString()).toString()
                             : Recalled(kColumns, kDefaultColumns).toString();
  return LayoutOf(Recalled(control ? kControlLayout : kLayout), fallback);
}

void rememberLayout(bool control, const FileLayout& layout) {
  Remember(control ? kControlLayout : kLayout, LayoutValue(layout));
}

// The name the window gives what `source` reads.
QString nameOf(const QString& title, const std::string& path, bool points) {
  return points ? title : ShownFileName(path);
}

reading::AngleFormat recalledAngleFormat() {
  reading::AngleFormat format = reading::AngleFormat::kPacked;
  reading::ReadAngleFormat(Recalled(kAngleFormat).toString().toStdString(), format);
  return format;
}

// Writes `value` where it differs from what is remembered.
void rememberChanged(const QString& key, const QVariant& value) {
  if (Recalled(key) != value) Remember(key, value);
}

}  // namespace

CSetoutWindow::CSetoutWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      m_model(new CSheetModel(this)),
      m_loader(new CJobRunner(this)),
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
  m_panel->setDecimals(Recalled(kAngleDecimals, 4).toInt(), Recalled(kDistanceDecimals, 3).toInt());
  int method = 0;
  reading::OrientedStation kept;
  SetupLimits limits;
  if (ReadSetupRecord(Recalled(kSetup), method, kept, limits)) {
    m_panel->setOriented(kept, limits);
    m_panel->setMethod(CStationPanel::Method(method));
  }
  m_panel->setAngleFormat(recalledAngleFormat());
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

  m_table = new QTableView(centre);
  m_table->setModel(m_model);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_table->setWordWrap(false);
  m_table->setTabKeyNavigation(false);  // Tab goes on to the sketch
  m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
  m_table->setAccessibleName(QStringLiteral("放样表"));
  m_sketch = new CSketchWidget(centre);

  m_split = new QSplitter(Qt::Horizontal, centre);
  m_split->addWidget(m_table);
  m_split->addWidget(m_sketch);
  m_split->setStretchFactor(0, 3);
  m_split->setStretchFactor(1, 2);
  m_split->setChildrenCollapsible(false);
  layout->addWidget(m_split, 1);
  setCentralWidget(centre);

  connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &CSetoutWindow::syncSelectionToSketch);
  connect(m_sketch, &CSketchWidget::rowClicked, this, &CSetoutWindow::selectRow);
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
  QAction* columns = add(file, QStringLiteral("列格式(&L)..."), QStyle::SP_FileDialogDetailedView,
                         {}, &CSetoutWindow::OnChooseColumns, false);
  add(file, QStringLiteral("控制点文件(&K)..."), QStyle::SP_DirOpenIcon, {},
      &CSetoutWindow::OnChooseControl, false);
  file->addSeparator();
  QAction* csv = add(
      file, QStringLiteral("导出 CSV(&E)..."), QStyle::SP_DialogSaveButton, {},
      [this] { m_output->exportCsv(sheet(), choices()); }, true);
  QAction* print = add(
      file, QStringLiteral("打印(&P)..."), QStyle::SP_FileIcon, QKeySequence::Print,
      [this] { m_output->print(sheet(), choices()); }, true);
  QAction* pdf = add(
      file, QStringLiteral("导出 PDF(&D)..."), QStyle::SP_FileLinkIcon, {},
      [this] { m_output->exportPdf(sheet(), choices()); }, true);
  add(file, QStringLiteral("页眉(&H)..."), QStyle::SP_FileDialogInfoView, {},
      &CSetoutWindow::OnPageHeading, false);
  file->addSeparator();
  add(file, QStringLiteral("关闭(&C)"), QStyle::SP_DialogCloseButton, QKeySequence::Close,
      &CSetoutWindow::close, true);
  QAction* copy = add(edit, QStringLiteral("复制(&C)"), QStyle::SP_FileIcon, QKeySequence::Copy,
                      &CSetoutWindow::OnCopy, false);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  m_table->addAction(copy);
  QAction* all = edit->addAction(QStringLiteral("全选(&A)"), QKeySequence::SelectAll, m_table,
                                 &QTableView::selectAll);
  QAction* design = view->addAction(QStringLiteral("设计坐标(&X)"));
  design->setObjectName(QStringLiteral("designShown"));
  design->setCheckable(true);
  design->setChecked(m_model->designShown());
  connect(design, &QAction::toggled, this, &CSetoutWindow::OnShowDesign);
  m_sheetActions = {columns, csv, print, pdf, copy, all};
  for (QAction* action : m_sheetActions) action->setEnabled(false);
}

// A progress bar and 取消 for the jobs of `runner`, shown while one runs.
QProgressBar* CSetoutWindow::addJobStatus(CJobRunner* runner, const QString& name) {
  QProgressBar* bar = AddJobStatus(*statusBar(), *runner, name);
  connect(runner, &CJobRunner::ended, this, &CSetoutWindow::showCounts);
  return bar;
}

void CSetoutWindow::createStatusBar() {
  m_counts = new QLabel(QStringLiteral("请打开坐标文件（Ctrl+O）"), this);
  statusBar()->addWidget(m_counts, 1);
  addJobStatus(m_loader, QStringLiteral("cancel"));
  addJobStatus(m_writer, QStringLiteral("cancelWriting"));
  // A read that is cancelled leaves the window on what it showed; the same
  // request may be read again.
  connect(m_loader, &CJobRunner::cancelled, this, [this] {
    m_wanted = m_shown;
    m_started.reset();
  });
}

void CSetoutWindow::load(const reading::SheetRequest& request) {
  Source source;
  if (const auto* file = std::get_if<reading::DesignFile>(&request.design))
    source.path = file->path;
  source.layout = {columnsText(request.columns), request.input};
  if (const auto* control = std::get_if<reading::ControlFile>(&request.known)) {
    source.controlPath = control->path;
    source.controlLayout = {control->columns ? columnsText(*control->columns) : QString(),
                            control->input.value_or(request.input)};
  }
  {
    const QSignalBlocker quiet(m_panel);  // showing the request is no change of the user's
    if (request.setup)
      std::visit([this](const auto& setup) { m_panel->showSetup(setup); }, *request.setup);
    m_panel->setDecimals(request.azimuthDecimals.value_or(request.decimals), request.decimals);
    m_panel->setAngleFormat(request.angleFormat);
    m_panel->showHeights(request.heights);
  }
  read(source);
}

void CSetoutWindow::loadPoints(const QString& title, std::vector<reading::DesignPoint> points) {
  Source source;
  source.title = title;
  source.points = std::make_shared<const std::vector<reading::DesignPoint>>(std::move(points));
  source.layout.columns = kPointColumns;
  read(source);
}

std::shared_ptr<const SetoutSheet> CSetoutWindow::sheet() const { return m_model->sheet(); }

void CSetoutWindow::OnOpen() {
  const std::string path = chooseFile(QStringLiteral("打开坐标文件"));
  if (path.empty()) return;
  Remember(kFolder, FolderOf(path));
  const bool first = m_shown.path.empty();
  FileLayout layout = first ? recalledLayout(false) : m_shown.layout;
  if (!askColumns(path, layout)) return;
  rememberLayout(false, layout);
  Source source = m_shown;
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
  FileLayout layout = m_shown.controlPath.empty() ? recalledLayout(true) : m_shown.controlLayout;
  if (layout.columns.isEmpty()) layout.columns = m_shown.layout.columns;
  if (!askColumns(path, layout)) return;
  rememberLayout(true, layout);
  Source source = m_shown;
  source.controlPath = path;
  source.controlLayout = layout;
  m_panel->setControlFile(ShownFileName(path));
  read(source);
}

// The setup dialog on the panel's setup on sightings; what it gives is
// kept, in the panel and between runs, and computed.
void CSetoutWindow::OnSetupDialog() {
  CSetupDialog dialog(m_panel->oriented(), m_known, m_panel->limits(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_panel->setOriented(dialog.setup(), dialog.limits());
  recompute();
}

// The request of `source` with the panel's fields; the panel's setup is
// left out, and `problem` says why, where a field is wrong.
reading::SheetRequest CSetoutWindow::requestOf(const Source& source, QString& problem) const {
  reading::SheetRequest request;
  request.mode = reading::Mode::kSetout;
  const PanelSetup panel = m_panel->setup();
  problem = panel.problem;
  if (panel.setup) request.setup = *panel.setup;
  request.heights = panel.heights;
  request.columns = columnsOf(source.layout.columns);
  request.decimals = m_panel->distanceDecimals();
  request.azimuthDecimals = m_panel->angleDecimals();
  request.angleFormat = m_panel->angleFormat();
  request.input = source.layout.input;
  if (source.controlPath.empty()) {
    request.known = reading::DesignNames();
  } else {
    reading::ControlFile control{source.controlPath, std::nullopt, source.controlLayout.input};
    if (!source.controlLayout.columns.isEmpty())
      control.columns = columnsOf(source.controlLayout.columns);
    request.known = std::move(control);
  }
  if (source.points)
    request.design = *source.points;
  else
    request.design = reading::DesignFile{source.path};
  return request;
}

// Reads `source` with the panel's fields as they stand; without `again`,
// only where that is not what was read last (a field left unchanged reads
// nothing again).
void CSetoutWindow::read(const Source& source, bool again) {
  if (source.path.empty() && !source.points) return;
  QString problem;
  reading::SheetRequest request = requestOf(source, problem);
  const SetupLimits limits = m_panel->limits();
  if (!again && m_started && *m_started == request && m_startedProblem == problem &&
      m_startedLimits == limits)
    return;
  m_wanted = source;
  m_started = request;
  m_startedProblem = problem;
  m_startedLimits = limits;
  SheetJob job{std::move(request), source.title, m_known, limits};
  m_counts->setText(QStringLiteral("正在读取 %1 ...")
                        .arg(nameOf(source.title, source.path, source.points != nullptr)));
  m_loader->start([this, job = std::move(job), problem](const std::atomic<bool>& stop,
                                                        const CJobRunner::Progress& progress) {
    auto result = std::make_shared<const SheetResult>(ComputeSheet(job, stop, progress));
    return [this, result, problem] { showResult(*result, problem); };
  });
}

// The panel's choices as they stand, computed afresh.
void CSetoutWindow::recompute() {
  rememberPanel();
  read(m_wanted, false);
}

// The panel's choices, for the next window: the decimals, the angles'
// format and the heights as typed.
void CSetoutWindow::rememberPanel() {
  if (m_panel->angleDecimals() != Recalled(kAngleDecimals, 4).toInt())
    Remember(kAngleDecimals, m_panel->angleDecimals());
  if (m_panel->distanceDecimals() != Recalled(kDistanceDecimals, 3).toInt())
    Remember(kDistanceDecimals, m_panel->distanceDecimals());
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
  if (const auto shownSheet = sheet()) showMessagesAcross(*shownSheet);
  fitColumns();
  fitSplit();
}

void CSetoutWindow::showResult(const SheetResult& result, const QString& panelProblem) {
  if (result.failure) {
    showReadFailure(FileProblem(result.failure));
    return;
  }
  // The file is read: its name goes over its sheet.
  m_shown = m_wanted;
  m_known = result.known;
  setWindowTitle(QStringLiteral("放样表 - %1")
                     .arg(nameOf(m_shown.title, m_shown.path, m_shown.points != nullptr)));
  m_panel->setControlFile(m_shown.controlPath.empty() ? QString()
                                                      : ShownFileName(m_shown.controlPath));
  m_panel->setNames(std::shared_ptr<const NameIndex>(result.known, &result.known->index));
  m_model->setSheet(result.sheet);
  m_sketch->setSheet(result.sheet);
  if (!result.sheet) {
    m_panel->setCheckLine(panelProblem.isEmpty() ? SheetProblem(result.problem) : panelProblem,
                          true);
  } else {
    // A setup on sightings: the station and orientation it gives, then its quality.
    const SetoutSheet& sheet = *result.sheet;
    m_panel->setCheckLine(sheet.setup
                              ? SetupLineText(sheet) + QLatin1Char('\n') + CheckLineText(sheet)
                              : CheckLineText(sheet),
                          false);
    showMessagesAcross(*result.sheet);
    fitColumns();
    fitSplit();
  }
  for (QAction* action : m_sheetActions) action->setEnabled(result.sheet != nullptr);
  // 列格式 is for a file's columns.
  m_sheetActions.front()->setEnabled(!m_shown.path.empty());
  showCounts();
}

// A file that cannot be read: the window keeps what it showed, and the same
// request may read the file again once it is mended.
void CSetoutWindow::showReadFailure(const QString& message) {
  m_wanted = m_shown;
  m_started.reset();
  showCounts();
  ShowSheetProblem(*this, message);
}

// Each column as wide as its texts (Qt measures the first thousand rows),
// with room to breathe.
void CSetoutWindow::fitColumns() {
  m_table->resizeColumnsToContents();
  const int room = m_table->fontMetrics().horizontalAdvance(QStringLiteral("00"));
  for (int column = 0; column < m_model->columnCount(); ++column)
    m_table->setColumnWidth(column, m_table->columnWidth(column) + room);
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

// A failed row's message takes the cells of the numbers it has none of.
void CSetoutWindow::showMessagesAcross(const SetoutSheet& sheet) {
  m_table->clearSpans();
  for (std::size_t row = 0; row < sheet.rows.size(); ++row)
    if (sheet.rows.failed(row))
      m_table->setSpan(static_cast<int>(row), kFirstNumberColumn, 1,
                       m_model->columnCount() - kFirstNumberColumn);
}

void CSetoutWindow::showCounts() {
  if (m_loader->busy() || m_writer->busy()) return;  // the job's own words stay
  const auto sheet = m_model->sheet();
  if (!sheet) {
    m_counts->setText(m_shown.path.empty() && !m_shown.points
                          ? QStringLiteral("请打开坐标文件（Ctrl+O）")
                          : QString());
    return;
  }
  m_counts->setText(
      QStringLiteral("%1 个点，%2 行有误").arg(sheet->rows.size()).arg(sheet->rows.failedCount()));
}

void CSetoutWindow::syncSelectionToSketch() {
  const QModelIndex current = m_table->selectionModel()->currentIndex();
  m_sketch->setSelectedRow(current.isValid() ? current.row() : -1);
}

void CSetoutWindow::selectRow(std::ptrdiff_t row) {
  const QModelIndex index = m_model->index(static_cast<int>(row), 0);
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

void CSetoutWindow::closeEvent(QCloseEvent* event) {
  m_loader->cancel();
  m_writer->cancel();
  event->accept();
}
