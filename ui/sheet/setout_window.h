#pragma once

// The setting-out window (放样表): a design file's setting-out sheet as a
// table and a sketch, computed with the reader corvane-calc uses, printed or
// exported as PDF or CSV. Not modal: opened from the calculator it is a
// window of the calculator's own, which stays usable beside it.

#include <QMainWindow>
#include <memory>

#include "ui/sheet/sheet_request.h"

class CSheetLoader;
class CSheetModel;
class CSketchWidget;
class CStationPanel;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
struct SetoutSheet;
struct SheetResult;

class CSetoutWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit CSetoutWindow(QWidget* parent = nullptr);
  ~CSetoutWindow() override;

  // Reads `request` as if the user had chosen its file, columns, station,
  // backsight and decimals in the window.
  void load(const SheetRequest& request);

  // The sheet shown, or null.
  std::shared_ptr<const SetoutSheet> sheet() const;

  CSheetModel& model() const { return *m_model; }
  CSketchWidget& sketch() const { return *m_sketch; }
  QTableView& table() const { return *m_table; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void createCentre();
  void createStatusBar();
  void OnOpen();
  void OnChooseColumns();
  void OnChooseControl();
  void OnExportCsv();
  void OnPrint();
  void OnExportPdf();
  void OnCopy();
  void recompute();
  void start();
  void showResult(const SheetResult& result);
  void showReadFailure(const QString& message);
  void showProblem(const QString& message);
  void showMessagesAcross(const SetoutSheet& sheet);
  void fitColumns();
  void showBusy(bool busy);
  void showCounts();
  void syncSelectionToSketch();
  void selectRow(std::ptrdiff_t row);
  QString chooseFile(const QString& title);
  bool askColumns(const QString& path, QString& columns);
  // Writes a sheet to a file; returns what went wrong, or "".
  using SheetWriter = QString (*)(const SetoutSheet& sheet, const QString& path);
  void exportSheet(const QString& suffix, SheetWriter write);

  SheetRequest m_request;  // as the window's fields and menus stand
  SheetRequest m_started;  // the last one read, or being read
  CSheetModel* m_model;
  QTableView* m_table;
  CSketchWidget* m_sketch;
  CStationPanel* m_panel;
  CSheetLoader* m_loader;
  QLabel* m_counts;
  QProgressBar* m_progress;
  QPushButton* m_cancel;
  QList<QAction*> m_sheetActions;  // enabled only while a sheet is shown
};
