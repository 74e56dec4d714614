#pragma once

// The 线路 window: a road from its JD table (交点法) or element table (线元
// 法), with a profile for design heights: its curve table and main points,
// its plan, single points computed both ways (正算, 反算), and the stakes of
// an interval, offsets, the main points and a chainage range, which go as
// design points with their design heights to a 放样表 of their own. The
// tables print, and export as PDF and as CSV (what corvane-calc writes).
// Not modal: a window of its own beside the calculator
// (program_windows.h); long work (stakes by the million, printing) runs off
// the interface thread with progress and 取消 in the status bar.

#include <QMainWindow>
#include <memory>
#include <vector>

#include "reader/road/road_design.h"
#include "ui/road/road_look.h"

class CJobRunner;
class CPointPanel;
class CRoadPlan;
class CSetoutWindow;
class CStakeModel;
class CStakePanel;
class CTextTableModel;
class QAbstractItemModel;
class QHBoxLayout;
class QLabel;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTableView;

class CRoadWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit CRoadWindow(QWidget* parent = nullptr);
  ~CRoadWindow() override;

  // Reads the road `request` asks for, as if the user had chosen its files
  // here; where it cannot be read, says why over the window and keeps what
  // it showed. `decimals`: of lengths and angles (0 to 20).
  bool load(const reading::RoadRequest& request, const reading::RoadDecimals& decimals);

  // Sets the stake generator's interval and offsets and lists the stakes.
  void generate(double interval, const std::vector<double>& offsets);

  // The 放样表 opened on the stakes, beside this window.
  CSetoutWindow* sendToSheet();

  std::shared_ptr<const RoadShown> road() const { return m_road; }
  std::shared_ptr<const std::vector<reading::Stake>> stakes() const { return m_stakes; }
  CTextTableModel& curveModel() const { return *m_curves; }
  CTextTableModel& mainPointModel() const { return *m_mainPoints; }
  CStakeModel& stakeModel() const { return *m_stakeModel; }
  CPointPanel& pointPanel() const { return *m_points; }
  CRoadPlan& plan() const { return *m_plan; }
  QTableView& stakeTable() const { return *m_stakeTable; }
  CJobRunner& jobs() const { return *m_jobs; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createCentre();
  QHBoxLayout* createSettingsRow(QWidget& left);
  void connectCentre();
  void createActions();
  void createStatusBar();
  QTableView* tableOf(QAbstractItemModel* model, const QString& name);
  bool read(const reading::RoadRequest& request);
  void showRoad(std::shared_ptr<const reading::RoadDesign> design);
  void showDecimals();
  void OnOpen(reading::RoadRequest::Table table);
  void OnOpenProfile();
  void OnStartChainage();
  void OnGenerate();
  void OnSend();
  void OnExportCurves();
  void OnExportStakes();
  void OnExportPdf();
  void OnPrint();
  void showStakes(std::shared_ptr<const std::vector<reading::Stake>> stakes);
  void showProblem(const QString& message);
  QString savePath(const QString& what, const QString& suffix);
  void showCounts();

  reading::RoadRequest m_request;           // of the road shown
  std::shared_ptr<const RoadShown> m_road;  // null before a road is read
  std::shared_ptr<const std::vector<reading::Stake>> m_stakes;
  CTextTableModel* m_curves;
  CTextTableModel* m_mainPoints;
  CStakeModel* m_stakeModel;
  QTableView* m_stakeTable;
  QTabWidget* m_tabs;
  CPointPanel* m_points;
  CStakePanel* m_stakePanel;
  CRoadPlan* m_plan;
  QLineEdit* m_start;
  QSpinBox* m_lengthDecimals;
  QSpinBox* m_angleDecimals;
  QComboBox* m_angleFormat;
  CJobRunner* m_jobs;
  QLabel* m_counts;
  QList<QAction*> m_roadActions;   // enabled only while a road is shown
  QList<QAction*> m_stakeActions;  // enabled only while there are stakes
};
