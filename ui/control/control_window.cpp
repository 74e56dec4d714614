#include "ui/control/control_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include "res/resource.h"
#include "res/resources.h"
#include "ui/common/file_path.h"
#include "ui/common/job_runner.h"
#include "ui/common/job_status.h"
#include "ui/common/save_path.h"
#include "ui/common/window_actions.h"
#include "ui/control/control_export.h"
#include "ui/control/control_printer.h"
#include "ui/control/level_page.h"
#include "ui/control/observation_file.h"
#include "ui/control/observation_table.h"
#include "ui/control/traverse_page.h"
#include "ui/sheet/open_sheet.h"

namespace {

QString today() { return QDate::currentDate().toString(Qt::ISODate); }

// What the window remembers, in ~/.config/Corvane/control.conf.
QSettings settings() { return QSettings(QStringLiteral("Corvane"), QStringLiteral("control")); }

QString fileFilter() {
  return QStringLiteral("观测文件 (*.txt *.csv *.dat);;所有文件 (*)");
}

}  // namespace

CControlWindow::CControlWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_jobs(new CJobRunner(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("导线/水准"));
  setWindowIcon(res::LoadIconResource(IDI_APP));
  m_tabs = new QTabWidget(this);
  m_traverse = new CTraversePage(m_tabs);
  m_level = new CLevelPage(m_tabs);
  m_tabs->addTab(m_traverse, QStringLiteral("导线(&1)"));
  m_tabs->addTab(m_level, QStringLiteral("水准(&2)"));
  setCentralWidget(m_tabs);
  createActions();
  m_status = new QLabel(this);
  statusBar()->addWidget(m_status, 1);
  AddJobStatus(*statusBar(), *m_jobs, QStringLiteral("cancel"));
  connect(m_tabs, &QTabWidget::currentChanged, this, &CControlWindow::enableActions);
  connect(m_traverse, &CTraversePage::shownChanged, this, &CControlWindow::enableActions);
  connect(m_level, &CLevelPage::shownChanged, this, &CControlWindow::enableActions);
  enableActions();
  const QRect screen = this->screen()->availableGeometry();
  resize(QSize(1280, 780).boundedTo(screen.size() * 9 / 10));
}

CControlWindow::~CControlWindow() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void CControlWindow::createActions() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QMenu* points = menuBar()->addMenu(QStringLiteral("控制点(&C)"));
  QToolBar* tools = AddToolBar(*this);
  const auto does = [this](QAction* action, auto handler) {
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  using Icon = QStyle::StandardPixmap;
  does(AddMenuAction(*file, tools, Icon::SP_DialogOpenButton, QStringLiteral("打开观测(&O)..."),
                     QKeySequence::Open),
       &CControlWindow::OnOpen);
  does(AddMenuAction(*file, nullptr, Icon::SP_DialogSaveButton, QStringLiteral("保存观测(&S)..."),
                     QKeySequence::Save),
       &CControlWindow::OnSave);
  file->addSeparator();
  QAction* csv = does(AddMenuAction(*file, tools, Icon::SP_DialogSaveButton,
                                    QStringLiteral("导出 CSV(&E)...")),
                      [this] { OnExport(QStringLiteral("计算表"), QStringLiteral("csv"), &CControlWindow::writeCsv); });
  QAction* cass = does(AddMenuAction(*file, nullptr, Icon::SP_DriveFDIcon,
                                     QStringLiteral("导出 CASS 坐标(&A)...")),
                       [this] { OnExport(QStringLiteral("坐标"), QStringLiteral("dat"), &CControlWindow::writeCass); });
  QAction* print = does(AddMenuAction(*file, tools, Icon::SP_FileIcon, QStringLiteral("打印(&P)..."),
                                      QKeySequence::Print),
                        &CControlWindow::OnPrint);
  QAction* pdf = does(AddMenuAction(*file, tools, Icon::SP_FileLinkIcon,
                                    QStringLiteral("导出 PDF(&D)...")),
                      &CControlWindow::OnExportPdf);
  file->addSeparator();
  does(AddMenuAction(*file, nullptr, Icon::SP_DialogCloseButton, QStringLiteral("关闭(&W)"),
                     QKeySequence::Close),
       &CControlWindow::close);
  QAction* send = does(AddMenuAction(*points, tools, Icon::SP_ArrowRight,
                                     QStringLiteral("送到放样表(&T)"),
                                     QKeySequence(Qt::CTRL | Qt::Key_T)),
                       &CControlWindow::OnSend);
  send->setStatusTip(QStringLiteral("把平差后的坐标作为放样表的控制点"));
  m_tableActions = {csv, print, pdf};
  m_traverseActions = {cass, send};
}

void CControlWindow::showTab(Tab tab) { m_tabs->setCurrentIndex(tab == Tab::kTraverse ? 0 : 1); }

CControlWindow::Tab CControlWindow::currentTab() const {
  return m_tabs->currentIndex() == 0 ? Tab::kTraverse : Tab::kLevel;
}

QString CControlWindow::title() const {
  return m_file.isEmpty() ? QString() : QFileInfo(m_file).completeBaseName();
}

// The commands work on the fields as shown: a cell still being typed in
// counts, and its table is computed first.
void CControlWindow::flush() {
  if (currentTab() == Tab::kTraverse)
    m_traverse->flush();
  else
    m_level->flush();
}

void CControlWindow::enableActions() {
  const bool traverse = currentTab() == Tab::kTraverse;
  const bool shown = traverse ? m_traverse->shown() != nullptr : m_level->shown() != nullptr;
  for (QAction* action : m_tableActions) action->setEnabled(shown);
  for (QAction* action : m_traverseActions) action->setEnabled(traverse && shown);
  const QString problem = traverse ? m_traverse->problem() : m_level->problem();
  if (!m_jobs->busy()) m_status->setText(shown ? QStringLiteral("已计算") : problem);
}

bool CControlWindow::openObservations(const QString& path) {
  std::vector<QStringList> rows;
  QString problem;
  if (!ReadObservationFile(path, rows, problem)) {
    showProblem(problem);
    return false;
  }
  m_file = path;
  setWindowTitle(QStringLiteral("导线/水准 - %1").arg(QFileInfo(path).fileName()));
  settings().setValue(QStringLiteral("folder"), QFileInfo(path).absolutePath());
  if (currentTab() == Tab::kTraverse)
    m_traverse->observations().setRows(rows);
  else
    m_level->observations().setRows(rows);
  return true;
}

QString CControlWindow::saveObservations(const QString& path) {
  flush();
  const QString reason = WriteObservationFile(currentTab() == Tab::kTraverse
                                                  ? m_traverse->observations().rows()
                                                  : m_level->observations().rows(),
                                              path);
  if (reason.isEmpty()) m_file = path;
  return reason;
}

void CControlWindow::OnOpen() {
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("打开观测文件"), settings().value(QStringLiteral("folder")).toString(),
      fileFilter(), nullptr, QFileDialog::DontUseNativeDialog);
  if (!path.isEmpty()) openObservations(path);
}

void CControlWindow::OnSave() {
  const QString path = savePath(QStringLiteral("观测"), QStringLiteral("txt"));
  if (path.isEmpty()) return;
  const QString reason = saveObservations(path);
  if (!reason.isEmpty())
    showProblem(QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
}

QString CControlWindow::writeCsv(const QString& path) {
  flush();
  if (currentTab() == Tab::kTraverse) {
    const auto shown = m_traverse->shown();
    if (!shown) return m_traverse->problem();
    return WriteControlCsv(TraverseTable(*shown), TraverseClosures(*shown), path);
  }
  const auto shown = m_level->shown();
  if (!shown) return m_level->problem();
  return WriteControlCsv(LevelTable(*shown), LevelClosures(*shown), path);
}

QString CControlWindow::writeCass(const QString& path) {
  flush();
  const auto shown = m_traverse->shown();
  if (!shown) return m_traverse->problem();
  return WriteCassDat(AdjustedPoints(*shown), path);
}

QString CControlWindow::writePdf(const QString& path) {
  flush();
  if (currentTab() == Tab::kTraverse) {
    const auto shown = m_traverse->shown();
    if (!shown) return m_traverse->problem();
    return WriteControlPdf(TraverseForm(*shown, title()), path, today());
  }
  const auto shown = m_level->shown();
  if (!shown) return m_level->problem();
  return WriteControlPdf(LevelForm(*shown, title()), path, today());
}

void CControlWindow::OnExport(const QString& what, const QString& suffix,
                              QString (CControlWindow::*write)(const QString&)) {
  const QString path = savePath(what, suffix);
  if (path.isEmpty()) return;
  const QString reason = (this->*write)(path);
  if (!reason.isEmpty())
    showProblem(QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
}

// The form's pages are few: laid out and painted off the interface thread
// all the same, as every window's PDF is.
void CControlWindow::OnExportPdf() {
  flush();
  const bool traverse = currentTab() == Tab::kTraverse;
  const auto traverseShown = m_traverse->shown();
  const auto levelShown = m_level->shown();
  if (traverse ? !traverseShown : !levelShown) return;
  const QString path = savePath(traverse ? QStringLiteral("导线计算表") : QStringLiteral("水准成果表"),
                                QStringLiteral("pdf"));
  if (path.isEmpty()) return;
  m_status->setText(QStringLiteral("正在导出 PDF ..."));
  m_jobs->start([this, traverseShown, levelShown, traverse, path, name = title(),
                 date = today()](const std::atomic<bool>& stop, const CJobRunner::Progress&) {
    const ControlForm form =
        traverse ? TraverseForm(*traverseShown, name) : LevelForm(*levelShown, name);
    const QString reason = WriteControlPdf(form, path, date, &stop);
    return [this, reason, path] {
      if (!reason.isEmpty())
        showProblem(QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
    };
  });
}

void CControlWindow::OnPrint() {
  flush();
  const bool traverse = currentTab() == Tab::kTraverse;
  const auto traverseShown = m_traverse->shown();
  const auto levelShown = m_level->shown();
  if (traverse ? !traverseShown : !levelShown) return;
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  printer->setPageLayout(ControlPrinter::PageLayout());
  printer->setDocName(traverse ? QStringLiteral("导线计算表") : QStringLiteral("水准测量成果计算表"));
  QPrintDialog dialog(printer.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_status->setText(QStringLiteral("正在打印 ..."));
  m_jobs->start([this, traverseShown, levelShown, traverse, printer, name = title(),
                 date = today()](const std::atomic<bool>&, const CJobRunner::Progress&) {
    const ControlForm form =
        traverse ? TraverseForm(*traverseShown, name) : LevelForm(*levelShown, name);
    const bool printed = ControlPrinter(form, date).print(*printer);
    return [this, printed] {
      if (!printed) showProblem(QStringLiteral("无法打印：打印机不能接收这份文件。"));
    };
  });
}

QString CControlWindow::ControlFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("控制点"));
}

CSetoutWindow* CControlWindow::sendToSheet() {
  flush();
  const auto shown = m_traverse->shown();
  if (!shown) return nullptr;
  const QString folder = ControlFolder();
  const QString name = title().isEmpty() ? QStringLiteral("导线") : title();
  const QString path = QDir(folder).filePath(
      QStringLiteral("%1-%2.csv").arg(name, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
  const QString reason = QDir().mkpath(folder) ? WriteControlPoints(AdjustedPoints(*shown), path)
                                               : QStringLiteral("无法建立文件夹 %1").arg(folder);
  if (!reason.isEmpty()) {
    showProblem(QStringLiteral("无法写入控制点文件 %1：%2").arg(path, reason));
    return nullptr;
  }
  return SetoutWithControl(PathBytes(path), this);
}

void CControlWindow::OnSend() { sendToSheet(); }

QString CControlWindow::savePath(const QString& what, const QString& suffix) {
  const QString folder = m_file.isEmpty() ? settings().value(QStringLiteral("folder")).toString()
                                          : QFileInfo(m_file).absolutePath();
  const QString base = title().isEmpty() ? what : QStringLiteral("%1-%2").arg(title(), what);
  return AskSavePath(*this, QStringLiteral("导出%1").arg(what),
                     QDir(folder).filePath(QStringLiteral("%1.%2").arg(base, suffix)), suffix);
}

void CControlWindow::showProblem(const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("导线/水准"), message, QMessageBox::Ok, this);
  box.exec();
}

void CControlWindow::closeEvent(QCloseEvent* event) {
  m_jobs->cancel();
  event->accept();
}
