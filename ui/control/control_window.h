#pragma once

// The 导线/水准 window: a traverse (导线) and a levelling line (水准) each
// on a tab of its own, computed as they are typed (traverse_page.h,
// level_page.h). The tab shown prints and exports as PDF its office form
// (导线计算表, 水准测量成果计算表), exports its computation table as CSV
// and a traverse's adjusted points as a CASS point file, opens and saves
// its observations as rows of text, and hands a traverse's adjusted points
// to the 放样表 as its control points. Not modal: a window of its own
// beside the calculator (program_windows.h); writing and printing run off
// the interface thread, with 取消 in the status bar.

#include <QMainWindow>

class CJobRunner;
class CLevelPage;
class CSetoutWindow;
class CTraversePage;
class QLabel;
class QTabWidget;

class CControlWindow : public QMainWindow {
  Q_OBJECT

 public:
  enum class Tab { kTraverse, kLevel };

  explicit CControlWindow(QWidget* parent = nullptr);
  ~CControlWindow() override;

  void showTab(Tab tab);
  Tab currentTab() const;

  // Reads the observation rows of the file at `path` into the tab shown;
  // false, said over the window, where it cannot be read.
  bool openObservations(const QString& path);
  // Writes the tab's observation rows to `path`, one row a line, fields
  // apart by blanks; "" or why not.
  QString saveObservations(const QString& path);
  // The tab's office form as a PDF at `path`, on the interface thread
  // (the command line's --pdf); "" or why not.
  QString writePdf(const QString& path);
  QString writeCsv(const QString& path);
  QString writeCass(const QString& path);

  // The traverse's adjusted points written as a control file under the
  // program's data folder (控制点/) and handed to a 放样表 as its control
  // points: the one open, else a new one beside this window. Null where the
  // traverse gives no table.
  CSetoutWindow* sendToSheet();
  // Where sendToSheet writes its control files.
  static QString ControlFolder();

  CTraversePage& traverse() const { return *m_traverse; }
  CLevelPage& level() const { return *m_level; }
  CJobRunner& jobs() const { return *m_jobs; }
  QString title() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void flush();
  void enableActions();
  void OnOpen();
  void OnSave();
  void OnExport(const QString& what, const QString& suffix,
                QString (CControlWindow::*write)(const QString&));
  void OnExportPdf();
  void OnPrint();
  void OnSend();
  QString savePath(const QString& what, const QString& suffix);
  void showProblem(const QString& message);

  QTabWidget* m_tabs;
  CTraversePage* m_traverse;
  CLevelPage* m_level;
  CJobRunner* m_jobs;
  QLabel* m_status;
  QString m_file;  // the observations opened or saved last; "" for none
  QList<QAction*> m_tableActions;  // enabled while the tab shown has a table
  QList<QAction*> m_traverseActions;  // only on the traverse's tab
};
