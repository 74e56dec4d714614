// The 放样表 window put together: its table, sketch and panel, its menus,
// tool bar and status bar, its counts, and how it closes. Its files are in
// setout_window_files.cpp, what it keeps in setout_window_kept.cpp, and
// the reading of its sheet in setout_window_reading.cpp.

#include "ui/sheet/setout_window.h"


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

constexpr int kKeepTicksAfterMs = 500;  // the ticks are kept once they rest this long

// A command of `menu`, on `tools` too where given, that runs `handler`.
template <class Handler>
QAction* addCommand(CSetoutWindow& window, QMenu& menu, QToolBar* tools, const QString& text,
                    QStyle::StandardPixmap icon, const QKeySequence& keys, Handler handler) {
  QAction* action = AddMenuAction(menu, tools, icon, text, keys);
  QObject::connect(action, &QAction::triggered, &window, handler);
  return action;
}

}  // namespace

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
  m_wanted.layout = RecalledLayout(false);
  m_wanted.controlLayout = RecalledLayout(true);
  m_shown = m_wanted;
  m_model->setDesignShown(Recalled(kDesignShown, false).toBool());
  createCentre();
  createActions();
  createStatusBar();
  recallChoices();
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
  QMenu& file = *menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QMenu& edit = *menuBar()->addMenu(QStringLiteral("编辑(&E)"));
  QMenu& view = *menuBar()->addMenu(QStringLiteral("查看(&V)"));
  QToolBar& tools = *AddToolBar(*this);
  createFileMenu(file, tools);
  createEditMenu(edit);
  tools.addSeparator();
  createViewMenu(view, tools);
  for (QAction* action : m_sheetActions) action->setEnabled(false);
}

void CSetoutWindow::createFileMenu(QMenu& file, QToolBar& tools) {
  addCommand(*this, file, &tools, QStringLiteral("打开(&O)..."), QStyle::SP_DialogOpenButton,
             QKeySequence::Open, &CSetoutWindow::OnOpen);
  m_recent = new CRecentFilesMenu(this);
  file.addMenu(m_recent);
  connect(m_recent, &CRecentFilesMenu::chosen, this, &CSetoutWindow::openKept);
  QAction* columns = addCommand(*this, file, nullptr, QStringLiteral("列格式(&L)..."),
                                QStyle::SP_FileDialogDetailedView, {}, &CSetoutWindow::OnChooseColumns);
  addCommand(*this, file, nullptr, QStringLiteral("控制点文件(&K)..."), QStyle::SP_DirOpenIcon, {},
             &CSetoutWindow::OnChooseControl);
  file.addSeparator();
  QAction* csv = addCommand(
      *this, file, &tools, QStringLiteral("导出 CSV(&E)..."), QStyle::SP_DialogSaveButton, {},
      [this] { afterTyping([this] { m_output->exportCsv(sheet(), choices(), m_model->ticks().rows()); }); });
  QAction* print = addCommand(
      *this, file, &tools, QStringLiteral("打印(&P)..."), QStyle::SP_FileIcon, QKeySequence::Print,
      [this] { afterTyping([this] { m_output->print(sheet(), choices(), m_model->ticks().rows()); }); });
  QAction* pdf = addCommand(
      *this, file, &tools, QStringLiteral("导出 PDF(&D)..."), QStyle::SP_FileLinkIcon, {},
      [this] { afterTyping([this] { m_output->exportPdf(sheet(), choices(), m_model->ticks().rows()); }); });
  addCommand(*this, file, nullptr, QStringLiteral("页眉(&H)..."), QStyle::SP_FileDialogInfoView, {},
             &CSetoutWindow::OnPageHeading);
  file.addSeparator();
  addCommand(*this, file, &tools, QStringLiteral("关闭(&C)"), QStyle::SP_DialogCloseButton,
             QKeySequence::Close, &CSetoutWindow::close);
  m_sheetActions << columns << csv << print << pdf;
}

void CSetoutWindow::createEditMenu(QMenu& edit) {
  QAction* copy = addCommand(*this, edit, nullptr, QStringLiteral("复制(&C)"), QStyle::SP_FileIcon,
                             QKeySequence::Copy, [this] { m_table->copySelected(); });
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  m_table->addAction(copy);
  QAction* all = edit.addAction(QStringLiteral("全选(&A)"), QKeySequence::SelectAll, m_table,
                                &QTableView::selectAll);
  QAction* tick = addCommand(*this, edit, nullptr, QStringLiteral("已放样(&T)"),
                             QStyle::SP_DialogApplyButton, QKeySequence(Qt::CTRL | Qt::Key_T),
                             [this] { m_table->toggleTicks(); });
  tick->setStatusTip(QStringLiteral("把选中的点标为已放样，或取消标记"));
  m_sheetActions << copy << all << tick;
}

void CSetoutWindow::createViewMenu(QMenu& view, QToolBar& tools) {
  QAction* route = view.addAction(QStringLiteral("路线(&R)"));
  route->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  route->setStatusTip(QStringLiteral("从测站起，每次走到最近的未放样点：按此顺序排列并画出"));
  tools.addAction(route);
  m_ordering =
      new CRowOrdering(*m_model, *m_table, *m_sketch, *m_filters, *route, *m_orderer, this);
  connect(m_ordering, &CRowOrdering::reordered, this, [this] {
    m_table->showMessagesAcross();
    showCounts();
  });
  view.addAction(QStringLiteral("文件顺序(&O)"), m_ordering, &CRowOrdering::showFileOrder);
  QAction* design = view.addAction(QStringLiteral("设计坐标(&X)"));
  design->setObjectName(QStringLiteral("designShown"));
  design->setCheckable(true);
  design->setChecked(m_model->designShown());
  connect(design, &QAction::toggled, this, &CSetoutWindow::OnShowDesign);
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
  if (KeptPath(source.path) != KeptPath(m_shown.path) || m_shown.points)
    m_wantedTicks = KeptTicks(source.path);
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

std::shared_ptr<const SetoutSheet> CSetoutWindow::sheet() const {
  const auto& shown = m_model->sheet();
  return shown && !shown->listed ? shown : nullptr;
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
