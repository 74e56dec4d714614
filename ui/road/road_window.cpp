#include "ui/road/road_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/alignment/chainage_text.h"
#include "reader/fields/number_text.h"
#include "reader/road/road_rows.h"
#include "res/resource.h"
#include "res/resources.h"
#include "ui/common/job_runner.h"
#include "ui/common/job_status.h"
#include "ui/common/window_actions.h"
#include "ui/common/window_look.h"
#include "ui/road/point_panel.h"
#include "ui/road/road_messages.h"
#include "ui/road/road_models.h"
#include "ui/road/road_plan.h"
#include "ui/road/stake_panel.h"

namespace {

// What the 线路 window remembers, in ~/.config/Corvane/road.conf.
QSettings settings() { return QSettings(QStringLiteral("Corvane"), QStringLiteral("road")); }

QString fileFilter() { return QStringLiteral("线路文件 (*.csv *.txt *.dat);;所有文件 (*)"); }

}  // namespace

CRoadWindow::CRoadWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      m_curves(new CTextTableModel(this)),
      m_mainPoints(new CTextTableModel(this)),
      m_stakeModel(new CStakeModel(this)),
      m_jobs(new CJobRunner(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("线路"));
  setWindowIcon(res::LoadIconResource(IDI_APP));
  createCentre();
  createActions();
  createStatusBar();
  const QRect screen = this->screen()->availableGeometry();
  resize(QSize(1180, 760).boundedTo(screen.size() * 9 / 10));
}

// The runner waits for its job, which looks at its stop flag often. The
// fields are deleted after this window's own part is gone, and a field that
// had the focus says then that its editing finished: their signals must no
// longer reach this window (it would read the road of a window half gone).
CRoadWindow::~CRoadWindow() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

QTableView* CRoadWindow::tableOf(QAbstractItemModel* model, const QString& name) {
  auto* table = new QTableView(this);
  table->setObjectName(name);
  table->setFont(WithNarrowPrimes(table->font()));  // as the 放样表's table: 78°20′44″
  table->setModel(model);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(false);
  table->setTabKeyNavigation(false);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  return table;
}

// 起点桩号, the decimals and the angles' format, as the window left them.
QHBoxLayout* CRoadWindow::createSettingsRow(QWidget& left) {
  auto* settingsRow = new QHBoxLayout;
  m_start = new QLineEdit(QStringLiteral("K0+000"), &left);
  m_start->setObjectName(QStringLiteral("startChainage"));
  m_start->setToolTip(QStringLiteral("交点表起点（BP）的桩号"));
  m_lengthDecimals = new QSpinBox(&left);
  m_lengthDecimals->setObjectName(QStringLiteral("lengthDecimals"));
  m_lengthDecimals->setRange(0, 9);
  m_lengthDecimals->setValue(settings().value(QStringLiteral("lengthDecimals"), 3).toInt());
  m_angleDecimals = new QSpinBox(&left);
  m_angleDecimals->setObjectName(QStringLiteral("angleDecimals"));
  m_angleDecimals->setRange(0, 9);
  m_angleDecimals->setValue(settings().value(QStringLiteral("angleDecimals"), 4).toInt());
  auto labelled = [&](const QString& text, QWidget* field) {
    auto* label = new QLabel(text, &left);
    label->setBuddy(field);
    settingsRow->addWidget(label);
    settingsRow->addWidget(field);
  };
  labelled(QStringLiteral("起点桩号(&B)"), m_start);
  labelled(QStringLiteral("距离小数位(&L)"), m_lengthDecimals);
  labelled(QStringLiteral("角度小数位(&N)"), m_angleDecimals);
  // D°M′S″ writes whole seconds at least: 4 decimals of a packed angle.
  m_angleFormat = new QComboBox(&left);
  m_angleFormat->setObjectName(QStringLiteral("angleFormat"));
  m_angleFormat->addItem(QStringLiteral("度.分秒"), int(reading::AngleFormat::kPacked));
  m_angleFormat->addItem(QStringLiteral("度°分′秒″"), int(reading::AngleFormat::kDms));
  m_angleFormat->setCurrentIndex(settings().value(QStringLiteral("angleFormat"), 0).toInt());
  if (m_angleFormat->currentIndex() == 1) m_angleDecimals->setMinimum(reading::kDmsLeastDecimals);
  labelled(QStringLiteral("角度格式(&M)"), m_angleFormat);
  settingsRow->addStretch(1);
  return settingsRow;
}

void CRoadWindow::createCentre() {
  auto* left = new QWidget(this);
  auto* column = new QVBoxLayout(left);
  column->setContentsMargins(0, 0, 0, 0);

  column->addLayout(createSettingsRow(*left));

  m_points = new CPointPanel(left);
  column->addWidget(m_points);
  m_stakePanel = new CStakePanel(left);
  column->addWidget(m_stakePanel);

  m_tabs = new QTabWidget(left);
  m_tabs->addTab(tableOf(m_curves, QStringLiteral("curveTable")), QStringLiteral("曲线表"));
  m_tabs->addTab(tableOf(m_mainPoints, QStringLiteral("mainPointTable")), QStringLiteral("主点表"));
  m_stakeTable = tableOf(m_stakeModel, QStringLiteral("stakeTable"));
  m_tabs->addTab(m_stakeTable, QStringLiteral("桩位表"));
  column->addWidget(m_tabs, 1);

  m_plan = new CRoadPlan(this);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(left);
  split->addWidget(m_plan);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 1);
  split->setSizes({560, 560});
  split->setChildrenCollapsible(false);
  setCentralWidget(split);

  connectCentre();
}

void CRoadWindow::connectCentre() {
  connect(m_start, &QLineEdit::editingFinished, this, &CRoadWindow::OnStartChainage);
  for (QSpinBox* box : {m_lengthDecimals, m_angleDecimals})
    connect(box, &QSpinBox::valueChanged, this, &CRoadWindow::showDecimals);
  connect(m_angleFormat, &QComboBox::currentIndexChanged, this, &CRoadWindow::showDecimals);
  connect(m_points, &CPointPanel::marksChanged, m_plan, &CRoadPlan::setMarks);
  connect(m_stakePanel, &CStakePanel::generateRequested, this, &CRoadWindow::OnGenerate);
  connect(m_stakePanel, &CStakePanel::sendRequested, this, &CRoadWindow::OnSend);
  connect(m_stakeTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            m_plan->setSelectedStake(current.isValid() ? current.row() : -1);
          });
  connect(m_plan, &CRoadPlan::stakeClicked, this, [this](std::ptrdiff_t stake) {
    m_tabs->setCurrentWidget(m_stakeTable);
    const QModelIndex index = m_stakeModel->index(static_cast<int>(stake), 0);
    m_stakeTable->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_stakeTable->scrollTo(index);
  });
}

void CRoadWindow::createActions() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QMenu* stakes = menuBar()->addMenu(QStringLiteral("桩位(&S)"));
  QToolBar* tools = AddToolBar(*this);
  // Each action, and what it does.
  const auto does = [this](QAction* action, auto handler) {
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  using Table = reading::RoadRequest::Table;
  using Icon = QStyle::StandardPixmap;
  does(AddMenuAction(*file, tools, Icon::SP_DialogOpenButton, QStringLiteral("打开交点表(&O)..."),
                     QKeySequence::Open),
       [this] { OnOpen(Table::kIntersections); });
  does(AddMenuAction(*file, nullptr, Icon::SP_DirOpenIcon, QStringLiteral("打开线元表(&E)...")),
       [this] { OnOpen(Table::kElements); });
  QAction* profile = does(AddMenuAction(*file, nullptr, Icon::SP_FileDialogDetailedView,
                                        QStringLiteral("纵断面(&V)...")),
                          &CRoadWindow::OnOpenProfile);
  file->addSeparator();
  QAction* curves = does(AddMenuAction(*file, nullptr, Icon::SP_DialogSaveButton,
                                       QStringLiteral("导出曲线表 CSV(&C)...")),
                         &CRoadWindow::OnExportCurves);
  QAction* stakeCsv = does(AddMenuAction(*file, tools, Icon::SP_DialogSaveButton,
                                         QStringLiteral("导出桩位表 CSV(&X)...")),
                           &CRoadWindow::OnExportStakes);
  QAction* print = does(AddMenuAction(*file, tools, Icon::SP_FileIcon,
                                      QStringLiteral("打印(&P)..."), QKeySequence::Print),
                        &CRoadWindow::OnPrint);
  QAction* pdf =
      does(AddMenuAction(*file, tools, Icon::SP_FileLinkIcon, QStringLiteral("导出 PDF(&D)...")),
           &CRoadWindow::OnExportPdf);
  file->addSeparator();
  does(AddMenuAction(*file, nullptr, Icon::SP_DialogCloseButton, QStringLiteral("关闭(&W)"),
                     QKeySequence::Close),
       &CRoadWindow::close);
  QAction* generate =
      does(AddMenuAction(*stakes, nullptr, Icon::SP_BrowserReload, QStringLiteral("生成桩位(&G)"),
                         QKeySequence(Qt::CTRL | Qt::Key_G)),
           &CRoadWindow::OnGenerate);
  QAction* send =
      does(AddMenuAction(*stakes, tools, Icon::SP_ArrowRight, QStringLiteral("送到放样表(&T)"),
                         QKeySequence(Qt::CTRL | Qt::Key_T)),
           &CRoadWindow::OnSend);
  m_roadActions = {profile, curves, print, pdf, generate};
  m_stakeActions = {stakeCsv, send};
  for (QAction* action : m_roadActions + m_stakeActions) action->setEnabled(false);
}

void CRoadWindow::createStatusBar() {
  m_counts = new QLabel(QStringLiteral("请打开交点表或线元表（Ctrl+O）"), this);
  statusBar()->addWidget(m_counts, 1);
  AddJobStatus(*statusBar(), *m_jobs, QStringLiteral("cancel"));
  connect(m_jobs, &CJobRunner::ended, this, &CRoadWindow::showCounts);
}

bool CRoadWindow::load(const reading::RoadRequest& request, const reading::RoadDecimals& decimals) {
  {
    const QSignalBlocker quietLengths(m_lengthDecimals);
    const QSignalBlocker quietAngles(m_angleDecimals);
    const QSignalBlocker quietFormat(m_angleFormat);
    m_lengthDecimals->setValue(decimals.lengths);
    m_angleFormat->setCurrentIndex(decimals.angleFormat == reading::AngleFormat::kDms ? 1 : 0);
    m_angleDecimals->setMinimum(0);
    m_angleDecimals->setValue(decimals.angles);
  }
  return read(request);
}

// Reads `request`; where it cannot be read, says why and keeps what it showed.
bool CRoadWindow::read(const reading::RoadRequest& request) {
  auto design = std::make_shared<reading::RoadDesign>();
  if (const reading::RoadError error = reading::ReadRoad(request, *design)) {
    showProblem(RoadProblem(error));
    return false;
  }
  m_request = request;
  settings().setValue(QStringLiteral("folder"),
                      QFileInfo(QString::fromStdString(request.path)).absolutePath());
  showRoad(std::move(design));
  return true;
}

void CRoadWindow::showRoad(std::shared_ptr<const reading::RoadDesign> design) {
  const bool jd = design->request.table == reading::RoadRequest::Table::kIntersections;
  auto road = std::make_shared<RoadShown>();
  road->decimals = {m_lengthDecimals->value(), m_angleDecimals->value(),
                    reading::AngleFormat(m_angleFormat->currentData().toInt())};
  road->rows = reading::MakeRoadRows(design, road->decimals.lengths);
  road->design = std::move(design);
  // The same design in other decimals keeps the plan where the user has it.
  const bool sameDesign = m_road && m_road->design == road->design;
  m_road = road;
  setWindowTitle(QStringLiteral("线路 - %1")
                     .arg(QFileInfo(QString::fromStdString(m_request.path)).fileName()));
  {
    const QSignalBlocker quiet(m_start);
    m_start->setText(QString::fromStdString(
        reading::ChainageText(m_road->design->alignment.startChainage(), road->decimals.lengths)));
    m_start->setEnabled(jd);
  }
  m_curves->setTable(CurveTable(*m_road));
  m_mainPoints->setTable(MainPointTable(*m_road));
  m_tabs->setTabEnabled(0, jd);
  if (!jd && m_tabs->currentIndex() == 0) m_tabs->setCurrentIndex(1);
  for (QTableView* table : m_tabs->findChildren<QTableView*>()) table->resizeColumnsToContents();
  m_plan->setRoad(m_road, !sameDesign);
  m_points->setRoad(m_road);
  for (QAction* action : m_roadActions) action->setEnabled(true);
  const bool hadStakes = m_stakes != nullptr;
  showStakes(nullptr);
  if (hadStakes) OnGenerate();
  showCounts();
}

// New decimals: every text written again.
void CRoadWindow::showDecimals() {
  settings().setValue(QStringLiteral("lengthDecimals"), m_lengthDecimals->value());
  {
    const QSignalBlocker quiet(m_angleDecimals);
    const bool dms = m_angleFormat->currentIndex() == 1;
    m_angleDecimals->setMinimum(dms ? reading::kDmsLeastDecimals : 0);  // may raise the value
  }
  settings().setValue(QStringLiteral("angleDecimals"), m_angleDecimals->value());
  settings().setValue(QStringLiteral("angleFormat"), m_angleFormat->currentIndex());
  if (m_road) showRoad(m_road->design);
}

void CRoadWindow::OnOpen(reading::RoadRequest::Table table) {
  const bool jd = table == reading::RoadRequest::Table::kIntersections;
  const QString path = QFileDialog::getOpenFileName(
      this, jd ? QStringLiteral("打开交点表") : QStringLiteral("打开线元表"),
      settings().value(QStringLiteral("folder")).toString(), fileFilter(), nullptr,
      QFileDialog::DontUseNativeDialog);
  if (path.isEmpty()) return;
  reading::RoadRequest request;
  request.table = table;
  request.path = path.toStdString();
  request.profile = m_request.profile;
  read(request);
}

void CRoadWindow::OnOpenProfile() {
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("打开纵断面（变坡点：桩号 高程 [竖曲线半径]）"),
      settings().value(QStringLiteral("folder")).toString(), fileFilter(), nullptr,
      QFileDialog::DontUseNativeDialog);
  if (path.isEmpty()) return;
  reading::RoadRequest request = m_request;
  request.profile = path.toStdString();
  read(request);
}

// A JD table's BP at the chainage typed.
void CRoadWindow::OnStartChainage() {
  if (!m_road || m_request.table != reading::RoadRequest::Table::kIntersections) return;
  const QString typed = m_start->text().trimmed();
  const auto chainage = survey::ReadChainage(typed.toStdString());
  if (!chainage) {
    showProblem(ChainageProblem(QStringLiteral("起点桩号"), typed));
    return;
  }
  if (*chainage == m_request.startChainage) return;
  reading::RoadRequest request = m_request;
  request.startChainage = *chainage;
  read(request);
}

// The window's message box: no icon, one OK button.
void CRoadWindow::showProblem(const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("线路"), message, QMessageBox::Ok, this);
  box.exec();
}

void CRoadWindow::showCounts() {
  if (m_jobs->busy()) return;  // the job's own words stay
  if (!m_road) return;
  QString text = RoadSummary(*m_road);
  if (m_stakes) text += QStringLiteral("；%1 个桩").arg(m_stakes->size());
  m_counts->setText(text);
}

void CRoadWindow::closeEvent(QCloseEvent* event) {
  m_jobs->cancel();
  event->accept();
}
