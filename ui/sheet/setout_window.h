#pragma once

// The setting-out window (放样表): a design file's setting-out sheet, or one
// of design points a caller hands over, as a table and a sketch, computed
// with the reader corvane-calc uses, printed or exported as PDF or CSV. Not
// modal: a window of its own beside the calculator (program_windows.h).
// Reading, ordering, writing and printing run off the interface thread,
// with progress and 取消 in the status bar; the window shows a file's name
// only over that file's sheet, once it is read.
//
// Before the station and the backsight are given, the table lists the
// design points and the sketch draws them. Each file's setup (columns,
// control file, station setup, heights, angles' format, decimals, the
// points ticked off) is kept (kept_file_setups.h) and comes back with the file:
// from 最近文件, and when the window opens on the file it showed last. The rows can be sorted by
// any column, narrowed to a code or to names holding a text, and put in
// the order of a walk from the station (路线), drawn in the sketch.

#include <QBasicTimer>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "reader/sheet/sheet_request.h"
#include "ui/sheet/file_layout.h"
#include "ui/sheet/kept_file_setups.h"
#include "ui/sheet/ordered_rows.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_source.h"
#include "ui/sheet/sheet_table.h"
#include "ui/sheet/sheet_ticks.h"

class CJobRunner;
class CRecentFilesMenu;
class CRowFilterBar;
class CRowOrdering;
class CSheetOutput;
class CSheetModel;
class CSketchWidget;
class CStationPanel;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
struct KnownNames;
struct SetoutSheet;
struct SheetResult;

class CSetoutWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit CSetoutWindow(QWidget* parent = nullptr);
  ~CSetoutWindow() override;

  // Reads `request` (a design file; setout) as if the user had chosen its
  // file, columns, control file, station, backsight, heights, angles'
  // format and decimals here.
  void load(const reading::SheetRequest& request);

  // Shows the sheet of `points`, named `title`, as if they were a file's:
  // the station and the backsight are the user's to give, by the points'
  // names or typed.
  void loadPoints(const QString& title, std::vector<reading::DesignPoint> points);

  // Takes the known points of the control file at `path` (its bytes, as the
  // file system has them; rows name,x,y) as if the user had chosen it here
  // (控制点文件): the station's and the backsight's names are looked up in
  // it, and the sheet shown is computed again; where none is shown yet, the
  // design file opened next takes it.
  void useControl(const std::string& path);

  // Opens the file shown last with its setup, where there is one; a file
  // no longer there is said in a message box, and the window stays empty.
  void reopenLast();
  // Opens the design file at `path` with the setup kept for it (else the
  // columns last chosen and no station yet), without asking for columns;
  // a file no longer there is said in a message box.
  void openKept(const QString& path);

  // The sheet shown, or null (also while its rows are only listed).
  std::shared_ptr<const SetoutSheet> sheet() const;
  // How the rows are ordered and narrowed.
  CRowOrdering& ordering() const { return *m_ordering; }

  CSheetModel& model() const { return *m_model; }
  CSketchWidget& sketch() const { return *m_sketch; }
  CSheetTable& table() const { return *m_table; }
  CStationPanel& panel() const { return *m_panel; }

  // Which columns show and the page heading, as printing and exports take
  // them.
  SheetChoices choices() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  using Source = SheetSource;
  // What a read brings back besides the sheet.
  struct ReadResult;

  void createActions();
  void createFileMenu(QMenu& file, QToolBar& tools);
  void createEditMenu(QMenu& edit);
  void createViewMenu(QMenu& view, QToolBar& tools);
  void createCentre();
  void createStatusBar();
  void OnOpen();
  void OnChooseColumns();
  void OnChooseControl();
  void OnRemoveControl();
  void OnSetupDialog();
  void OnPageHeading();
  void OnShowDesign(bool shown);
  void recallChoices();
  void rememberPanel();
  void read(const Source& source, bool again = true);
  void recompute();
  void afterTyping(std::function<void()> command);
  void runAfterRead();
  void showResult(const ReadResult& result, const QString& panelProblem);
  void showReadFailure(const QString& message);
  void showCounts();
  void fitSplit();
  std::string chooseFile(const QString& title);
  bool askColumns(const std::string& path, FileLayout& layout);
  bool fileIsThere(const std::string& path);
  void applySetup(const SheetSetup& setup, Source& source);
  void keepSetup();
  void ticksChanged();

  Source m_shown;   // of the sheet shown (or of the file read last)
  Source m_wanted;  // being read, or to read
  // The request read last, or being read, and what the panel said of it.
  std::optional<reading::SheetRequest> m_started;
  QString m_startedProblem;
  SetupLimits m_startedLimits;
  std::shared_ptr<const KnownNames> m_known;  // the names read last
  // The ticks kept for the file being read, where it is another than the
  // one shown: they go on its rows once it shows.
  std::optional<std::vector<SheetTicks::Tick>> m_wantedTicks;
  // The file whose setup was kept last, and that setup.
  std::optional<std::pair<QString, SheetSetup>> m_kept;
  // The station and backsight rows given last that read, kept with the
  // file's setup.
  std::optional<reading::StationAndBacksight> m_setup;
  CSheetModel* m_model;
  CSheetTable* m_table;
  QSplitter* m_split;
  CSketchWidget* m_sketch;
  CStationPanel* m_panel;
  CRowFilterBar* m_filters;
  CJobRunner* m_loader;   // reads and computes the sheet
  CJobRunner* m_orderer;  // sorts and filters its rows, walks the route
  CJobRunner* m_writer;   // writes, lays out and prints it
  CSheetOutput* m_output;
  CRowOrdering* m_ordering;
  CRecentFilesMenu* m_recent;
  QLabel* m_counts;
  QBasicTimer m_keepTicks;         // the ticks are kept a moment after they change
  QList<QAction*> m_sheetActions;  // enabled only while a sheet is shown
  PageHeading m_heading;
  // A command that reads the sheet, waiting for the fields as typed to be
  // computed; and what keeps the fields from giving a sheet, where they do.
  std::function<void()> m_afterRead;
  QString m_problem;
};
