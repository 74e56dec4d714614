// The 放样表 reading its sheet: a source read with the panel's fields as
// they stand, off the interface thread with the rows put in the order asked
// for, and what was read shown (or why nothing could be); a command run on
// the sheet once what is typed is read. The rest of the window is in
// setout_window.cpp.

#include "ui/sheet/setout_window.h"

#include <QAction>
#include <QLabel>

#include "ui/common/file_path.h"
#include "ui/common/job_runner.h"
#include "ui/common/problem_text.h"
#include "ui/sheet/kept_file_setups.h"
#include "ui/sheet/row_order_controls.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_job.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_output.h"
#include "ui/sheet/sheet_table.h"
#include "ui/sheet/sketch_widget.h"
#include "ui/sheet/station_panel.h"

namespace {

constexpr std::size_t kMaxCodes = 500;  // listed in the filter bar

// The name the window gives what `source` reads.
QString nameOf(const QString& title, const std::string& path, bool points) {
  return points ? title : ShownFileName(path);
}

}  // namespace

struct CSetoutWindow::ReadResult {
  SheetResult sheet;
  std::vector<std::string> codes;  // of the sheet's (or the listing's) rows
  RowOrder order;                  // of `ordered`
  OrderedRows ordered;
};

// Runs `command` on the fields as they are shown: what is typed and not yet
// settled is computed first, and `command` runs once its sheet shows. Where
// the fields give no sheet, the reason is said instead.
void CSetoutWindow::afterTyping(std::function<void()> command) {
  m_panel->flush();
  m_afterRead = std::move(command);
  if (!m_loader->busy()) runAfterRead();
}

void CSetoutWindow::runAfterRead() {
  if (!m_afterRead) return;
  const std::function<void()> command = std::move(m_afterRead);
  m_afterRead = nullptr;
  if (sheet()) {
    command();
  } else if (!m_problem.isEmpty()) {
    ShowSheetProblem(*this, m_problem);
  }
}

// Reads `source` with the panel's fields as they stand; without `again`,
// only where that is not what was read last (a field left unchanged reads
// nothing again). The rows are put in the order asked for in the same job.
void CSetoutWindow::read(const Source& source, bool again) {
  if (source.empty()) return;
  QString problem;
  reading::SheetRequest request = source.request(*m_panel, problem);
  const SetupLimits limits = m_panel->limits();
  if (!again && m_started && *m_started == request && m_startedProblem == problem &&
      m_startedLimits == limits)
    return;
  m_wanted = source;
  m_started = request;
  m_startedProblem = problem;
  m_startedLimits = limits;
  SheetJob job{std::move(request), source.title, m_known, limits};
  const RowOrder order = m_ordering->wanted();
  // The ticks the order goes by: those of the file being read.
  const bool byTicks = order.by == RowOrder::By::kRoute || order.by == RowOrder::By::kTicked;
  std::vector<SheetTicks::Tick> ticks;
  if (byTicks) ticks = m_wantedTicks ? *m_wantedTicks : m_model->ticks().kept();
  const QString reading = QStringLiteral("正在读取 %1 ...")
                              .arg(nameOf(source.title, source.path, source.points != nullptr));
  m_counts->setText(reading);
  // A file is being read: the empty sketch says so, not to open one.
  m_sketch->setEmptyText(reading);
  m_loader->start([this, job = std::move(job), problem, order, ticks = std::move(ticks)](
                      const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
    auto result = std::make_shared<ReadResult>();
    const bool ordering = order.by != RowOrder::By::kFile || order.filters();
    result->sheet = ComputeSheet(
        job, stop, [&](int percent) { progress(ordering ? percent * 4 / 5 : percent); });
    const auto& shown = result->sheet.sheet ? result->sheet.sheet : result->sheet.listing;
    if (shown && !stop) {
      result->codes = RowCodes(shown->rows, kMaxCodes);
      SheetTicks matched;
      matched.setKept(ticks);
      matched.match(shown->rows);
      const auto ordered = OrderRows(*shown, matched.rows(), order, nullptr, stop,
                                     [&](int percent) { progress(80 + percent / 5); });
      if (ordered) {
        result->order = order;
        result->ordered = *ordered;
      }
    }
    return [this, result, problem] { showResult(*result, problem); };
  });
}

// The panel's choices as they stand, computed afresh.
void CSetoutWindow::recompute() {
  rememberPanel();
  read(m_wanted, false);
}

void CSetoutWindow::showResult(const ReadResult& read, const QString& panelProblem) {
  const SheetResult& result = read.sheet;
  if (result.failure) {
    showReadFailure(FileProblem(result.failure));
    return;
  }
  // The file is read: its name goes over its sheet.
  m_shown = m_wanted;
  m_known = result.known;
  if (m_started && m_started->setup) {
    if (const auto* rows = std::get_if<reading::StationAndBacksight>(&*m_started->setup))
      m_setup = *rows;
  }
  setWindowTitle(QStringLiteral("放样表 - %1")
                     .arg(nameOf(m_shown.title, m_shown.path, m_shown.points != nullptr)));
  m_panel->setControlFile(m_shown.controlPath.empty() ? QString()
                                                      : ShownFileName(m_shown.controlPath));
  m_panel->setNames(std::shared_ptr<const NameIndex>(result.known, &result.known->index));
  const auto& shown = result.sheet ? result.sheet : result.listing;
  m_model->setSheet(shown, read.ordered);
  if (m_wantedTicks) {
    m_model->setKeptTicks(*m_wantedTicks);
    m_wantedTicks.reset();
  }
  m_sketch->setSheet(shown);
  m_problem.clear();
  if (!result.sheet) {
    m_problem = panelProblem.isEmpty() ? SheetProblem(result.problem) : panelProblem;
    m_panel->setCheckLine(m_problem, true);
    m_sketch->setEmptyText(QStringLiteral("测站和后视改正后，这里显示放样示意图"));
  } else {
    // A setup on sightings: the station and orientation it gives, then its quality.
    const SetoutSheet& sheet = *result.sheet;
    m_panel->setCheckLine(sheet.setup
                              ? SetupLineText(sheet) + QLatin1Char('\n') + CheckLineText(sheet)
                              : CheckLineText(sheet),
                          false);
  }
  m_table->showMessagesAcross();
  m_table->fitColumns();
  if (shown) fitSplit();
  for (QAction* action : m_sheetActions) action->setEnabled(shown != nullptr);
  for (QAction* action : m_sheetActions.mid(1, 3)) action->setEnabled(result.sheet != nullptr);
  // 列格式 is for a file's columns.
  m_sheetActions.front()->setEnabled(!m_shown.path.empty());
  m_ordering->sheetShown(read.order, read.codes, result.sheet != nullptr);
  showCounts();
  keepSetup();
  runAfterRead();
}

// A file that cannot be read: the window keeps what it showed, and the same
// request may read the file again once it is mended.
void CSetoutWindow::showReadFailure(const QString& message) {
  // The panel goes back to the setup of the file shown, where another
  // file's was put in it: else that file's station and heights would be
  // worked out, and kept, for this one.
  if (m_wanted != m_shown && m_kept && !m_shown.path.empty() &&
      m_kept->first == KeptPath(m_shown.path)) {
    Source shown = m_shown;
    applySetup(m_kept->second, shown);
  }
  m_wanted = m_shown;
  m_wantedTicks.reset();
  m_started.reset();
  m_afterRead = nullptr;
  m_sketch->setEmptyText(m_shown.empty() ? QStringLiteral("打开坐标文件后，这里显示放样示意图")
                                         : QStringLiteral("测站和后视改正后，这里显示放样示意图"));
  showCounts();
  ShowSheetProblem(*this, message);
}
