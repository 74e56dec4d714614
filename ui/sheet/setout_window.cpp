#include "ui/sheet/setout_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "res/resource.h"
#include "res/resources.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/print_preview.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_loader.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_pdf.h"
#include "ui/sheet/sheet_printer.h"
#include "ui/sheet/sheet_reading.h"
#include "ui/sheet/sketch_widget.h"
#include "ui/sheet/station_panel.h"

namespace {

// What the window remembers between runs. Each is written when it changes:
// the program may end right after its last window closes.
const QString kColumnsKey = QStringLiteral("columns");
const QString kControlColumnsKey = QStringLiteral("controlColumns");
const QString kFolderKey = QStringLiteral("folder");
const QString kAngleDecimalsKey = QStringLiteral("angleDecimals");
const QString kDistanceDecimalsKey = QStringLiteral("distanceDecimals");
const QString kDefaultColumns = QStringLiteral("name,code,y,x,h");
constexpr int kPreviewRows = 12;  // of a file, in the layout dialog

// In ~/.config/Corvane/setout.conf.
void remember(const QString& key, const QVariant& value) {
  QSettings settings(QStringLiteral("Corvane"), QStringLiteral("setout"));
  settings.setValue(key, value);
  settings.sync();
}

QVariant recalled(const QString& key, const QVariant& fallback) {
  return QSettings(QStringLiteral("Corvane"), QStringLiteral("setout")).value(key, fallback);
}

QString fileFilter() { return QStringLiteral("坐标文件 (*.dat *.csv *.txt);;所有文件 (*)"); }

}  // namespace

CSetoutWindow::CSetoutWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      m_model(new CSheetModel(this)),
      m_loader(new CSheetLoader(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("放样表"));
  setWindowIcon(res::LoadIconResource(IDI_APP));
  m_request.columns = recalled(kColumnsKey, kDefaultColumns).toString();
  m_request.controlColumns = recalled(kControlColumnsKey, QString()).toString();
  m_request.angleDecimals = recalled(kAngleDecimalsKey, 4).toInt();
  m_request.distanceDecimals = recalled(kDistanceDecimalsKey, 3).toInt();
  createCentre();
  createActions();
  createStatusBar();
  m_panel->setDecimals(m_request.angleDecimals, m_request.distanceDecimals);
  connect(m_panel, &CStationPanel::changed, this, &CSetoutWindow::recompute);
  connect(m_panel, &CStationPanel::controlFileRequested, this, &CSetoutWindow::OnChooseControl);
  connect(m_loader, &CSheetLoader::progress, m_progress, &QProgressBar::setValue);
  connect(m_loader, &CSheetLoader::finished, this, &CSetoutWindow::showResult);
  connect(m_loader, &CSheetLoader::failed, this, &CSetoutWindow::showReadFailure);
  const QRect screen = this->screen()->availableGeometry();
  resize(QSize(1000, 680).boundedTo(screen.size() * 9 / 10));
}

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

  auto* split = new QSplitter(Qt::Horizontal, centre);
  split->addWidget(m_table);
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
  QAction* columns = add(file, QStringLiteral("列格式(&L)..."), QStyle::SP_FileDialogDetailedView,
                         {}, &CSetoutWindow::OnChooseColumns, false);
  add(file, QStringLiteral("控制点文件(&K)..."), QStyle::SP_DirOpenIcon, {},
      &CSetoutWindow::OnChooseControl, false);
  file->addSeparator();
  QAction* csv = add(file, QStringLiteral("导出 CSV(&E)..."), QStyle::SP_DialogSaveButton, {},
                     &CSetoutWindow::OnExportCsv, true);
  QAction* print = add(file, QStringLiteral("打印(&P)..."), QStyle::SP_FileIcon,
                       QKeySequence::Print, &CSetoutWindow::OnPrint, true);
  QAction* pdf = add(file, QStringLiteral("导出 PDF(&D)..."), QStyle::SP_FileLinkIcon, {},
                     &CSetoutWindow::OnExportPdf, true);
  file->addSeparator();
  add(file, QStringLiteral("关闭(&C)"), QStyle::SP_DialogCloseButton, QKeySequence::Close,
      &CSetoutWindow::close, true);
  QAction* copy = add(edit, QStringLiteral("复制(&C)"), QStyle::SP_FileIcon, QKeySequence::Copy,
                      &CSetoutWindow::OnCopy, false);
  copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  m_table->addAction(copy);
  QAction* all = edit->addAction(QStringLiteral("全选(&A)"), QKeySequence::SelectAll, m_table,
                                 &QTableView::selectAll);
  m_sheetActions = {columns, csv, print, pdf, copy, all};
  for (QAction* action : m_sheetActions) action->setEnabled(false);
}

void CSetoutWindow::createStatusBar() {
  m_counts = new QLabel(QStringLiteral("请打开坐标文件（Ctrl+O）"), this);
  m_progress = new QProgressBar(this);
  m_progress->setRange(0, 100);
  m_progress->setMaximumWidth(200);
  m_cancel = new QPushButton(QStringLiteral("取消"), this);
  m_cancel->setObjectName(QStringLiteral("cancel"));
  statusBar()->addWidget(m_counts, 1);
  statusBar()->addPermanentWidget(m_progress);
  statusBar()->addPermanentWidget(m_cancel);
  connect(m_cancel, &QPushButton::clicked, this, [this] {
    m_loader->cancel();
    m_started = SheetRequest();
    showBusy(false);
    showCounts();
  });
  showBusy(false);
}

void CSetoutWindow::load(const SheetRequest& request) {
  m_request = request;
  const QSignalBlocker quiet(m_panel);  // showing the request is no change of the user's
  m_panel->setStation(request.station);
  m_panel->setBacksight(request.backsight);
  m_panel->setDecimals(request.angleDecimals, request.distanceDecimals);
  m_panel->setControlFile(QFileInfo(request.controlPath).fileName());
  setWindowTitle(QStringLiteral("放样表 - %1").arg(QFileInfo(request.path).fileName()));
  start();
}

std::shared_ptr<const SetoutSheet> CSetoutWindow::sheet() const { return m_model->sheet(); }

void CSetoutWindow::OnOpen() {
  const QString path = chooseFile(QStringLiteral("打开坐标文件"));
  if (path.isEmpty()) return;
  remember(kFolderKey, QFileInfo(path).absolutePath());
  QString columns = m_request.columns;
  if (!askColumns(path, columns)) return;
  remember(kColumnsKey, columns);
  SheetRequest request = m_request;
  request.path = path;
  request.columns = columns;
  request.station = m_panel->station();
  request.backsight = m_panel->backsight();
  load(request);
}

void CSetoutWindow::OnChooseColumns() {
  QString columns = m_request.columns;
  if (m_request.path.isEmpty() || !askColumns(m_request.path, columns)) return;
  remember(kColumnsKey, m_request.columns = columns);
  recompute();
}

// A coordinate file picked in Qt's own (Chinese) dialog, starting in the
// folder of the last design file; "" when the user cancels.
QString CSetoutWindow::chooseFile(const QString& title) {
  return QFileDialog::getOpenFileName(this, title, recalled(kFolderKey, QString()).toString(),
                                      fileFilter(), nullptr, QFileDialog::DontUseNativeDialog);
}

// The layout dialog on the file's first lines; the choice is remembered.
bool CSetoutWindow::askColumns(const QString& path, QString& columns) {
  const PreviewRows preview = ReadPreviewRows(path, kPreviewRows);
  CColumnLayoutDialog dialog(preview.rows, preview.problem, columns, CheckColumns, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  columns = dialog.columns();
  return true;
}

void CSetoutWindow::OnChooseControl() {
  const QString path = chooseFile(QStringLiteral("打开控制点文件"));
  if (path.isEmpty()) return;
  QString columns =
      m_request.controlColumns.isEmpty() ? m_request.columns : m_request.controlColumns;
  if (!askColumns(path, columns)) return;
  m_request.controlPath = path;
  remember(kControlColumnsKey, m_request.controlColumns = columns);
  m_panel->setControlFile(QFileInfo(path).fileName());
  recompute();
}

// The panel's choices as they stand, computed afresh.
void CSetoutWindow::recompute() {
  m_request.station = m_panel->station();
  m_request.backsight = m_panel->backsight();
  if (m_request.angleDecimals != m_panel->angleDecimals())
    remember(kAngleDecimalsKey, m_request.angleDecimals = m_panel->angleDecimals());
  if (m_request.distanceDecimals != m_panel->distanceDecimals())
    remember(kDistanceDecimalsKey, m_request.distanceDecimals = m_panel->distanceDecimals());
  // Leaving a field unchanged reads nothing again.
  if (!m_request.path.isEmpty() && !(m_request == m_started)) start();
}

void CSetoutWindow::start() {
  m_started = m_request;
  showBusy(true);
  m_loader->start(m_request);
}

void CSetoutWindow::showResult(const SheetResult& result) {
  showBusy(false);
  m_panel->setPointNames(result.pointNames);
  if (!result.sheet) {
    m_panel->setCheckLine(result.problem, true);
    m_model->setSheet(nullptr);
    m_sketch->setSheet(nullptr);
  } else {
    const SetoutSheet& sheet = *result.sheet;
    m_panel->setCheckLine(sheet.checkDistance.isEmpty()
                              ? QStringLiteral("检核：后视方位角 %1").arg(sheet.checkAzimuth)
                              : QStringLiteral("检核：后视方位角 %1   距离 %2")
                                    .arg(sheet.checkAzimuth, sheet.checkDistance),
                          false);
    m_model->setSheet(result.sheet);
    m_sketch->setSheet(result.sheet);
    showMessagesAcross(*result.sheet);
    fitColumns();
  }
  for (QAction* action : m_sheetActions) action->setEnabled(result.sheet != nullptr);
  showCounts();
}

// A file that cannot be read: the window keeps what it showed, and the same
// request may read the file again once it is mended.
void CSetoutWindow::showReadFailure(const QString& message) {
  m_started = SheetRequest();
  showBusy(false);
  showCounts();
  showProblem(message);
}

void CSetoutWindow::showProblem(const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("放样表"), message, QMessageBox::Ok, this);
  box.exec();
}

// Each column as wide as its texts (Qt measures the first thousand rows),
// with room to breathe.
void CSetoutWindow::fitColumns() {
  m_table->resizeColumnsToContents();
  const int room = m_table->fontMetrics().horizontalAdvance(QStringLiteral("00"));
  for (int column = 0; column < m_model->columnCount(); ++column)
    m_table->setColumnWidth(column, m_table->columnWidth(column) + room);
}

// A failed row's message takes the cells of the numbers it has none of.
void CSetoutWindow::showMessagesAcross(const SetoutSheet& sheet) {
  m_table->clearSpans();
  for (std::size_t row = 0; row < sheet.rows.size(); ++row)
    if (sheet.rows.failed(row))
      m_table->setSpan(static_cast<int>(row), CSheetModel::kAzimuth, 1,
                       CSheetModel::kColumnCount - CSheetModel::kAzimuth);
}

void CSetoutWindow::showBusy(bool busy) {
  m_progress->setVisible(busy);
  m_cancel->setVisible(busy);
  m_progress->setValue(0);
  if (busy) m_counts->setText(QStringLiteral("正在读取 %1 ...").arg(m_request.path));
}

void CSetoutWindow::showCounts() {
  const auto sheet = m_model->sheet();
  if (!sheet) {
    m_counts->setText(m_request.path.isEmpty() ? QStringLiteral("请打开坐标文件（Ctrl+O）")
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

// The sheet written by `write` to a file the user names; Qt's own save
// dialog asks before it replaces one.
void CSetoutWindow::exportSheet(const QString& suffix, SheetWriter write) {
  const auto sheet = m_model->sheet();
  if (!sheet) return;
  const QFileInfo source(m_request.path);
  const QString proposed = source.absolutePath() + QLatin1Char('/') + source.completeBaseName() +
                           QStringLiteral("-放样.") + suffix;
  QFileDialog dialog(this, QStringLiteral("导出 %1").arg(suffix.toUpper()), proposed,
                     QStringLiteral("%1 文件 (*.%2)").arg(suffix.toUpper(), suffix));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString problem = write(*sheet, dialog.selectedFiles().front());
  if (!problem.isEmpty()) showProblem(problem);
}

void CSetoutWindow::OnExportCsv() { exportSheet(QStringLiteral("csv"), WriteSheetCsv); }

void CSetoutWindow::OnExportPdf() { exportSheet(QStringLiteral("pdf"), WriteSheetPdf); }

// The print preview, from which the sheet is printed.
void CSetoutWindow::OnPrint() {
  const auto sheet = m_model->sheet();
  if (!sheet) return;
  const QString date = QDate::currentDate().toString(Qt::ISODate);
  const QString problem = ShowPrintPreview(
      this, QStringLiteral("放样表"),
      [&](QPagedPaintDevice& printer) { SheetPrinter(*sheet, date).print(printer); });
  if (!problem.isEmpty()) showProblem(problem);
}

void CSetoutWindow::closeEvent(QCloseEvent* event) {
  m_loader->cancel();
  event->accept();
}
