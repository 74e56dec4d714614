#include "ui/transform/transform_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "reader/text/text_file.h"
#include "res/resource.h"
#include "res/resources.h"
#include "ui/common/file_path.h"
#include "ui/common/job_runner.h"
#include "ui/common/job_status.h"
#include "ui/common/save_path.h"
#include "ui/common/window_actions.h"
#include "ui/sheet/open_sheet.h"
#include "ui/transform/transform_export.h"
#include "ui/transform/transform_model.h"
#include "ui/transform/transform_panel.h"
#include "ui/transform/transform_printer.h"

namespace {

// What the 坐标转换 window remembers, in ~/.config/Corvane/transform.conf.
QSettings settings() { return QSettings(QStringLiteral("Corvane"), QStringLiteral("transform")); }

QString today() { return QDate::currentDate().toString(Qt::ISODate); }

// The lines of a coordinate file as the tool reads them (its encoding found
// or told by its bytes), one "\n" after each; false with `why` where it
// cannot be read.
bool ReadLines(const QString& path, const std::atomic<bool>& stop, std::string& text,
               std::string& why) {
  reading::TextFile file(PathBytes(path), true);
  std::string_view line;
  while (file.NextLine(line)) {
    text.append(line);
    text += '\n';
    if (stop) return true;
  }
  if (!file.error()) return true;
  why = reading::FileErrorText(file.error());
  return false;
}

}  // namespace

CTransformWindow::CTransformWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_jobs(new CJobRunner(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("坐标转换"));
  setWindowIcon(res::LoadIconResource(IDI_APP));
  createCentre();
  createActions();
  m_counts = new QLabel(QStringLiteral("输入或打开点（Ctrl+O），结果随输入更新"), this);
  statusBar()->addWidget(m_counts, 1);
  AddJobStatus(*statusBar(), *m_jobs, QStringLiteral("cancel"));
  connect(m_jobs, &CJobRunner::ended, this, &CTransformWindow::showCounts);
  const QRect screen = this->screen()->availableGeometry();
  resize(QSize(1100, 720).boundedTo(screen.size() * 9 / 10));
}

// The fields are deleted after this window's own part is gone: their
// signals must no longer reach it.
CTransformWindow::~CTransformWindow() {
  for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void CTransformWindow::createCentre() {
  auto* centre = new QWidget(this);
  auto* column = new QVBoxLayout(centre);
  auto* settingsRow = new QHBoxLayout;
  const auto spin = [&](const QString& label, const char* name, int value) {
    auto* box = new QSpinBox(centre);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 12);
    box->setValue(settings().value(QLatin1String(name), value).toInt());
    auto* shown = new QLabel(label, centre);
    shown->setBuddy(box);
    settingsRow->addWidget(shown);
    settingsRow->addWidget(box);
    connect(box, &QSpinBox::valueChanged, this, [this, box, name] {
      settings().setValue(QLatin1String(name), box->value());
      recompute();
    });
    return box;
  };
  m_decimals = spin(QStringLiteral("距离小数位(&L)"), "decimals", 4);
  m_angleDecimals = spin(QStringLiteral("角度小数位(&N)"), "angleDecimals", 4);
  settingsRow->addStretch(1);
  column->addLayout(settingsRow);
  m_tabs = new QTabWidget(centre);
  for (TransformTab tab : {TransformTab::kGrid, TransformTab::kFit, TransformTab::kProject,
                           TransformTab::kRezone}) {
    auto* panel = new CTransformPanel(tab, m_tabs);
    m_panels.push_back(panel);
    m_tabs->addTab(panel, panel->title());
    connect(panel, &CTransformPanel::changed, this, [this, panel] { compute(*panel); });
  }
  connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
    recompute();
  });
  column->addWidget(m_tabs, 1);
  setCentralWidget(centre);
}

void CTransformWindow::createActions() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QMenu* points = menuBar()->addMenu(QStringLiteral("转换(&T)"));
  QToolBar* tools = AddToolBar(*this);
  const auto does = [this](QAction* action, auto handler) {
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  using Icon = QStyle::StandardPixmap;
  does(AddMenuAction(*file, tools, Icon::SP_DialogOpenButton, QStringLiteral("打开点文件(&O)..."),
                     QKeySequence::Open),
       [this] { OnOpen(false); });
  does(AddMenuAction(*file, nullptr, Icon::SP_DirOpenIcon, QStringLiteral("打开公共点文件(&M)...")),
       [this] { OnOpen(true); });
  file->addSeparator();
  does(AddMenuAction(*file, tools, Icon::SP_DialogSaveButton, QStringLiteral("导出 CSV(&X)...")),
       [this] { OnExport(QStringLiteral("csv")); });
  does(AddMenuAction(*file, nullptr, Icon::SP_DriveFDIcon, QStringLiteral("导出 CASS 数据(&A)...")),
       [this] { OnExport(QStringLiteral("dat")); });
  does(AddMenuAction(*file, tools, Icon::SP_FileIcon, QStringLiteral("打印(&P)..."),
                     QKeySequence::Print),
       &CTransformWindow::OnPrint);
  does(AddMenuAction(*file, tools, Icon::SP_FileLinkIcon, QStringLiteral("导出 PDF(&D)...")),
       [this] { OnExport(QStringLiteral("pdf")); });
  file->addSeparator();
  does(AddMenuAction(*file, nullptr, Icon::SP_DialogCloseButton, QStringLiteral("关闭(&W)"),
                     QKeySequence::Close),
       &CTransformWindow::close);
  does(AddMenuAction(*points, nullptr, Icon::SP_BrowserReload, QStringLiteral("重新计算(&R)"),
                     QKeySequence(Qt::Key_F5)),
       &CTransformWindow::recompute);
  does(AddMenuAction(*points, tools, Icon::SP_ArrowRight, QStringLiteral("送到放样表(&S)"),
                     QKeySequence(Qt::CTRL | Qt::Key_T)),
       [this] { sendToSheet(); });
}

CTransformPanel& CTransformWindow::currentPanel() const {
  return *m_panels[static_cast<std::size_t>(m_tabs->currentIndex())];
}

void CTransformWindow::recompute() {
  currentPanel().flush();
  compute(currentPanel());
}

// The panel's jobs off the interface thread; their answer shown once done,
// where the panel has not been changed again meanwhile.
void CTransformWindow::compute(CTransformPanel& panel) {
  auto sheet = std::make_shared<TransformSheet>();
  QString problem;
  if (!panel.makeSheet(m_decimals->value(), m_angleDecimals->value(), *sheet, problem)) {
    m_jobs->cancel();  // the answer of fields as they were would cover the problem
    panel.showProblem(problem);
    return;
  }
  m_counts->setText(QStringLiteral("正在计算 ..."));
  m_jobs->start([this, &panel, sheet](const std::atomic<bool>& stop,
                                      const CJobRunner::Progress& progress) -> CJobRunner::Done {
    AnswerSheet(*sheet, &stop, progress);
    if (stop) return {};
    return [this, &panel, sheet] {
      panel.showSheet(sheet);
      showCounts();
    };
  });
}

void CTransformWindow::openPoints(const QString& path, bool common) {
  CTransformPanel& panel = currentPanel();
  QPlainTextEdit* editor = common ? panel.commonEditor() : &panel.pointsEditor();
  if (!editor) return;
  settings().setValue(QStringLiteral("folder"), QFileInfo(path).absolutePath());
  m_counts->setText(QStringLiteral("正在读取 %1 ...").arg(QFileInfo(path).fileName()));
  m_jobs->start([this, path, editor, &panel](const std::atomic<bool>& stop,
                                             const CJobRunner::Progress&) -> CJobRunner::Done {
    auto text = std::make_shared<std::string>();
    std::string why;
    const bool read = ReadLines(path, stop, *text, why);
    if (stop) return {};
    return [this, read, why, text, editor, &panel] {
      if (!read) return showProblem(QStringLiteral("无法读取：%1").arg(QString::fromStdString(why)));
      editor->setPlainText(QString::fromStdString(*text));
      panel.flush();
    };
  });
}

bool CTransformWindow::loadPoints(const QString& path, bool common, QString& why) {
  CTransformPanel& panel = currentPanel();
  QPlainTextEdit* editor = common ? panel.commonEditor() : &panel.pointsEditor();
  if (!editor) return false;
  const std::atomic<bool> never{false};
  std::string text, reason;
  if (!ReadLines(path, never, text, reason)) {
    why = QString::fromStdString(reason);
    return false;
  }
  editor->setPlainText(QString::fromStdString(text));
  panel.flush();
  return true;
}

void CTransformWindow::OnOpen(bool common) {
  if (common && !currentPanel().commonEditor()) m_tabs->setCurrentIndex(1);
  const QString path = QFileDialog::getOpenFileName(
      this, common ? QStringLiteral("打开公共点文件") : QStringLiteral("打开点文件"),
      settings().value(QStringLiteral("folder")).toString(),
      QStringLiteral("坐标文件 (*.csv *.txt *.dat);;所有文件 (*)"), nullptr,
      QFileDialog::DontUseNativeDialog);
  if (!path.isEmpty()) openPoints(path, common);
}

// The current tab's jobs from its fields as shown; null, with the problem
// shown, where a field does not read.
std::shared_ptr<TransformSheet> CTransformWindow::freshSheet() {
  CTransformPanel& panel = currentPanel();
  panel.flush();
  auto sheet = std::make_shared<TransformSheet>();
  QString problem;
  if (panel.makeSheet(m_decimals->value(), m_angleDecimals->value(), *sheet, problem)) return sheet;
  panel.showProblem(problem);
  showProblem(problem);
  return nullptr;
}

CSetoutWindow* CTransformWindow::sendToSheet() {
  const std::shared_ptr<TransformSheet> sheet = freshSheet();
  if (!sheet) return nullptr;
  AnswerSheet(*sheet);
  if (const QString why = sheet->notForSheet(); !why.isEmpty()) {
    showProblem(why);
    return nullptr;
  }
  std::vector<reading::DesignPoint> points = DesignPointsOf(*sheet->pointsAnswer);
  if (points.empty()) {
    showProblem(QStringLiteral("没有转换好的点可送到放样表。"));
    return nullptr;
  }
  return OpenSetoutSheet(QStringLiteral("%1 转换点").arg(sheet->title), std::move(points), this);
}

QString CTransformWindow::exportFile(const QString& path, const QString& suffix) {
  const std::shared_ptr<TransformSheet> sheet = freshSheet();
  if (!sheet) return QStringLiteral("参数有误");
  AnswerSheet(*sheet);
  return writeFile(*sheet, path, suffix, nullptr);
}

QString CTransformWindow::writeFile(const TransformSheet& sheet, const QString& path,
                                    const QString& suffix, const std::atomic<bool>* stop) {
  if (suffix == QLatin1String("pdf")) return WriteTransformPdf(sheet, path, today(), stop);
  if (suffix == QLatin1String("dat")) return WriteCassDat(sheet, path, stop);
  return WriteTransformCsv(sheet, path, stop);
}

// The file the user names, written off the interface thread.
void CTransformWindow::OnExport(const QString& suffix) {
  const std::shared_ptr<TransformSheet> sheet = freshSheet();
  if (!sheet) return;
  const QString folder = settings().value(QStringLiteral("folder"), QDir::homePath()).toString();
  const QString path =
      AskSavePath(*this, QStringLiteral("导出%1").arg(sheet->title),
                  QDir(folder).filePath(QStringLiteral("%1.%2").arg(sheet->title, suffix)), suffix);
  if (path.isEmpty()) return;
  m_counts->setText(QStringLiteral("正在导出 %1 ...").arg(QFileInfo(path).fileName()));
  m_jobs->start([this, sheet, path, suffix](const std::atomic<bool>& stop,
                                            const CJobRunner::Progress& progress) {
    AnswerSheet(*sheet, &stop, progress);
    const QString reason = stop ? QString() : writeFile(*sheet, path, suffix, &stop);
    return [this, reason, path] {
      if (!reason.isEmpty())
        showProblem(QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
    };
  });
}

// The printer the user picks, then the pages printed off the interface thread.
void CTransformWindow::OnPrint() {
  const std::shared_ptr<TransformSheet> sheet = freshSheet();
  if (!sheet) return;
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  printer->setPageLayout(TransformPageLayout());
  printer->setDocName(QStringLiteral("坐标转换 %1").arg(sheet->title));
  QPrintDialog dialog(printer.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_counts->setText(QStringLiteral("正在打印 ..."));
  m_jobs->start([this, sheet, printer, date = today()](const std::atomic<bool>& stop,
                                                      const CJobRunner::Progress& progress) {
    AnswerSheet(*sheet, &stop, progress);
    const bool printed = !stop && TransformPrinter(*sheet, date).print(*printer, &stop);
    return [this, printed] {
      if (!printed) showProblem(QStringLiteral("无法打印：打印机不能接收这份文件。"));
    };
  });
}

// The window's message box: no icon, one OK button.
void CTransformWindow::showProblem(const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("坐标转换"), message, QMessageBox::Ok, this);
  box.exec();
}

// "施工坐标：12 点，2 行有误".
void CTransformWindow::showCounts() {
  if (m_jobs->busy()) return;
  const std::shared_ptr<const TransformSheet>& sheet = currentPanel().sheet();
  if (!sheet || !sheet->pointsAnswer) return m_counts->clear();
  const auto counted = [](const TransformAnswer& answer, const QString& what) {
    std::size_t answered = 0, failed = 0;
    for (const TransformLine& line : answer.lines)
      (line.what == TransformLine::What::kError ? failed : answered) += 1;
    QString text = QStringLiteral("%1 %2 个").arg(what).arg(answered);
    if (failed > 0) text += QStringLiteral("（%1 行有误）").arg(failed);
    return text;
  };
  QString text = sheet->title + QStringLiteral("：");
  if (sheet->fitAnswer) text += counted(*sheet->fitAnswer, QStringLiteral("公共点")) + QStringLiteral("，");
  m_counts->setText(text + counted(*sheet->pointsAnswer, QStringLiteral("点")));
}

void CTransformWindow::closeEvent(QCloseEvent* event) {
  m_jobs->cancel();
  event->accept();
}
