#pragma once

// The 坐标转换 window: four jobs, a tab each — 施工坐标 (a construction
// grid and the survey system), 四参数 (found from common points, with every
// residual, or typed), 高斯投影 (latitude and longitude and x, y both ways)
// and 换带 (x, y of one zone in another). The points are typed or opened,
// their answers follow what is typed; the current tab prints, exports as
// PDF, CSV (what corvane-calc writes) and CASS .dat, and sends its
// converted points to a 放样表 as design points. Not modal: a window of its
// own beside the calculator (program_windows.h); reading a file and long
// jobs run off the interface thread with progress and 取消.

#include <QMainWindow>
#include <atomic>
#include <memory>
#include <vector>

class CJobRunner;
class CSetoutWindow;
class CTransformPanel;
class QLabel;
class QSpinBox;
class QTabWidget;
struct TransformSheet;

class CTransformWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit CTransformWindow(QWidget* parent = nullptr);
  ~CTransformWindow() override;

  // The tab of a job (0 施工坐标, 1 四参数, 2 高斯投影, 3 换带).
  CTransformPanel& panel(int tab) const { return *m_panels[static_cast<std::size_t>(tab)]; }
  CTransformPanel& currentPanel() const;
  QTabWidget& tabs() const { return *m_tabs; }
  CJobRunner& jobs() const { return *m_jobs; }

  // Computes the current tab at once, reading its fields as they are shown.
  void recompute();
  // Reads the points of `path` into the current tab (its common points with
  // `common`), then computes; where it cannot be read, says why.
  void openPoints(const QString& path, bool common = false);
  // The same at once, on the interface thread (the command line's files);
  // false, with `why`, where the file cannot be read.
  bool loadPoints(const QString& path, bool common, QString& why);
  // The 放样表 opened on the current tab's converted points, beside this
  // window; none where they are no plane points or there are none.
  CSetoutWindow* sendToSheet();
  // The current tab's sheet at `path` as `suffix` says: "pdf", "csv" or
  // "dat" (CASS); "" or why not.
  QString exportFile(const QString& path, const QString& suffix);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createCentre();
  void createActions();
  void compute(CTransformPanel& panel);
  void OnOpen(bool common);
  std::shared_ptr<TransformSheet> freshSheet();
  QString writeFile(const TransformSheet& sheet, const QString& path, const QString& suffix,
                    const std::atomic<bool>* stop);
  void OnExport(const QString& suffix);
  void OnPrint();
  void showCounts();
  void showProblem(const QString& message);

  std::vector<CTransformPanel*> m_panels;
  QTabWidget* m_tabs;
  QSpinBox* m_decimals;
  QSpinBox* m_angleDecimals;
  CJobRunner* m_jobs;
  QLabel* m_counts;
};
