#pragma once

// The setting-out window (放样表): a design file's setting-out sheet, or one
// of design points a caller hands over, as a table and a sketch, computed
// with the reader corvane-calc uses, printed or exported as PDF or CSV. Not
// modal: a window of its own beside the calculator (program_windows.h).
// Reading, writing and printing run off the interface thread, with progress
// and 取消 in the status bar; the window shows a file's name only over that
// file's sheet, once it is read.

#include <QMainWindow>
#include <memory>
#include <optional>
#include <vector>

#include "reader/sheet_request.h"
#include "ui/sheet/file_layout.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"

class CJobRunner;
class CSheetOutput;
class CSheetModel;
class CSketchWidget;
class CStationPanel;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableView;
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

  // The sheet shown, or null.
  std::shared_ptr<const SetoutSheet> sheet() const;

  CSheetModel& model() const { return *m_model; }
  CSketchWidget& sketch() const { return *m_sketch; }
  QTableView& table() const { return *m_table; }
  CStationPanel& panel() const { return *m_panel; }

  // Which columns show and the page heading, as printing and exports take
  // them.
  SheetChoices choices() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // What the sheet is read from, apart from the panel's fields.
  struct Source {
    std::string path;  // the design file's bytes; empty for a caller's points
    QString title;     // the name of a caller's points
    std::shared_ptr<const std::vector<reading::DesignPoint>> points;
    FileLayout layout;         // the design file's: its roles, encoding and lines skipped
    std::string controlPath;   // empty: names are looked up among the design points
    FileLayout controlLayout;  // the control file's; its columns "": the design file's
    bool operator==(const Source&) const = default;
  };

  void createActions();
  void createCentre();
  void createStatusBar();
  QProgressBar* addJobStatus(CJobRunner* runner, const QString& name);
  void OnOpen();
  void OnChooseColumns();
  void OnChooseControl();
  void OnSetupDialog();
  void OnCopy();
  void OnPageHeading();
  void OnShowDesign(bool shown);
  void rememberPanel();
  reading::SheetRequest requestOf(const Source& source, QString& problem) const;
  void read(const Source& source, bool again = true);
  void recompute();
  void showResult(const SheetResult& result, const QString& panelProblem);
  void showReadFailure(const QString& message);
  void showMessagesAcross(const SetoutSheet& sheet);
  void fitColumns();
  void fitSplit();
  void showCounts();
  void syncSelectionToSketch();
  void selectRow(std::ptrdiff_t row);
  std::string chooseFile(const QString& title);
  bool askColumns(const std::string& path, FileLayout& layout);

  Source m_shown;   // of the sheet shown (or of the file read last)
  Source m_wanted;  // being read, or to read
  // The request read last, or being read, and what the panel said of it.
  std::optional<reading::SheetRequest> m_started;
  QString m_startedProblem;
  SetupLimits m_startedLimits;
  std::shared_ptr<const KnownNames> m_known;  // the names read last
  CSheetModel* m_model;
  QTableView* m_table;
  QSplitter* m_split;
  CSketchWidget* m_sketch;
  CStationPanel* m_panel;
  CJobRunner* m_loader;  // reads and computes the sheet
  CJobRunner* m_writer;  // writes, lays out and prints it
  CSheetOutput* m_output;
  QLabel* m_counts;
  QList<QAction*> m_sheetActions;  // enabled only while a sheet is shown
  PageHeading m_heading;
};
