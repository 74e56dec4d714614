// The 放样表's files: a design file opened (打开, 最近文件, the file shown
// last), its columns chosen (列格式), a control file chosen or removed, each
// through the layout box on the file's first lines. The rest of the window
// is in setout_window.cpp.

#include "ui/sheet/setout_window.h"


#include <QFileDialog>
#include <cerrno>

#include "reader/text/file_open.h"
#include "ui/common/file_path.h"
#include "ui/common/problem_text.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/kept_file_setups.h"
#include "ui/sheet/preview_rows.h"
#include "ui/sheet/setout_conf.h"
#include "ui/sheet/sheet_output.h"
#include "ui/sheet/station_panel.h"

using namespace setout_conf;

namespace {

constexpr int kPreviewRows = 12;  // of a file, in the layout dialog

QString fileFilter() { return QStringLiteral("坐标文件 (*.dat *.csv *.txt);;所有文件 (*)"); }

}  // namespace

void CSetoutWindow::reopenLast() {
  const QStringList recent = RecentFiles(1);
  if (!recent.isEmpty()) openKept(recent.front());
}

void CSetoutWindow::openKept(const QString& path) {
  Source source;
  source.path = ChosenFileBytes(path);
  if (!fileIsThere(source.path)) return;
  if (const auto kept = SheetSetup::Recall(KeptPath(source.path))) {
    applySetup(*kept, source);
  } else {
    source.layout = RecalledLayout(false);
    m_wantedTicks.emplace();
  }
  read(source);
}

// Whether the file at `path` is there; where it is not, a message box says so.
bool CSetoutWindow::fileIsThere(const std::string& path) {
  const reading::FileFacts facts = reading::FactsOf(path);
  if (facts.regular) return true;
  reading::FileError missing;
  missing.what = reading::FileError::What::kCannotOpen;
  missing.path = path;
  missing.error = facts.exists ? EISDIR : ENOENT;
  ShowSheetProblem(*this, FileProblem(missing));
  return false;
}

void CSetoutWindow::OnOpen() {
  const std::string path = chooseFile(QStringLiteral("打开坐标文件"));
  if (path.empty()) return;
  Remember(kFolder, FolderOf(path));
  const auto kept = SheetSetup::Recall(KeptPath(path));
  FileLayout layout = kept                   ? kept->layout
                      : m_shown.path.empty() ? RecalledLayout(false)
                                             : NextFileLayout(m_shown.layout);
  if (!askColumns(path, layout)) return;
  RememberLayout(false, layout);
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
  RememberLayout(false, layout);
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
  FileLayout layout = m_shown.controlPath.empty() ? RecalledLayout(true)
                                                  : NextFileLayout(m_shown.controlLayout);
  if (layout.columns.isEmpty()) layout.columns = m_shown.layout.columns;
  if (!askColumns(path, layout)) return;
  RememberLayout(true, layout);
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

// A control file handed over by another window (the traverse's adjusted
// points): its rows are NAME X Y; a sheet not yet read takes it for later.
void CSetoutWindow::useControl(const std::string& path) {
  Source source = m_wanted.empty() ? m_shown : m_wanted;
  source.controlPath = path;
  source.controlLayout = FileLayout{QStringLiteral("name,x,y"), {}};
  m_panel->setControlFile(ShownFileName(path));
  if (source.empty()) {
    m_shown = m_wanted = source;
    return;
  }
  read(source);
}
