// The 线路 window's stakes: listed off the interface thread from the stake
// panel's interval, offsets and range, shown in the 桩位表 and the plan,
// and sent with their design heights to a 放样表 of their own. The rest of
// the window is in road_window.cpp.

#include "ui/road/road_window.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

#include "reader/road/stake_list.h"
#include "ui/common/job_runner.h"
#include "ui/road/road_models.h"
#include "ui/road/road_plan.h"
#include "ui/road/stake_panel.h"
#include "ui/sheet/open_sheet.h"

namespace {

// A list longer than this is refused: its table and the 放样表 it would
// fill take some 200 bytes a stake.
constexpr std::size_t kMaxStakes = 2'000'000;

}  // namespace

void CRoadWindow::generate(double interval, const std::vector<double>& offsets) {
  m_stakePanel->setRange(interval, offsets);
  OnGenerate();
}

void CRoadWindow::OnGenerate() {
  reading::StakeRange range;
  if (!m_road || !m_stakePanel->readRange(range)) return;
  m_counts->setText(QStringLiteral("正在生成桩位 ..."));
  const std::shared_ptr<const RoadShown> road = m_road;
  m_jobs->start([this, road, range](const std::atomic<bool>& stop,
                                   const CJobRunner::Progress& progress) -> CJobRunner::Done {
    auto stakes = std::make_shared<std::vector<reading::Stake>>();
    reading::StakeWalk walk(*road->rows, range, road->decimals.lengths);
    const survey::Alignment& alignment = road->design->alignment;
    const double from = std::max(range.from, alignment.startChainage());
    const double span = std::max(1e-9, std::min(range.to, alignment.endChainage()) - from);
    reading::Stake stake;
    bool tooMany = false;
    while (walk.Next(stake)) {
      if (stakes->size() == kMaxStakes) {
        tooMany = true;
        break;
      }
      stakes->push_back(stake);
      if (stakes->size() % 4096 == 0) {
        if (stop) return {};
        progress(static_cast<int>(100 * (stake.chainage - from) / span));
      }
    }
    return [this, road, stakes, tooMany] {
      if (road != m_road) return;  // the road changed meanwhile
      if (tooMany) {
        m_stakePanel->setProblem(
            QStringLiteral("桩位超过 %1 个，请加大间距或缩小桩号范围").arg(kMaxStakes));
        return;
      }
      showStakes(stakes);
      m_tabs->setCurrentWidget(m_stakeTable);
    };
  });
}

void CRoadWindow::showStakes(std::shared_ptr<const std::vector<reading::Stake>> stakes) {
  m_stakes = std::move(stakes);
  m_stakeModel->setStakes(m_stakes, m_road ? m_road->decimals : reading::RoadDecimals{},
                          m_road && m_road->design->profile.has_value());
  m_plan->setStakes(m_stakes);
  const bool shown = m_stakes && !m_stakes->empty();
  m_stakePanel->setStakesShown(shown);
  for (QAction* action : m_stakeActions) action->setEnabled(shown);
  if (shown) m_stakeTable->resizeColumnsToContents();
  showCounts();
}

CSetoutWindow* CRoadWindow::sendToSheet() {
  if (!m_stakes || m_stakes->empty()) return nullptr;
  std::vector<reading::DesignPoint> points;
  points.reserve(m_stakes->size());
  for (const reading::Stake& stake : *m_stakes)
    points.push_back({stake.name, stake.code, {stake.point.x, stake.point.y}, stake.height});
  const QString file = QFileInfo(QString::fromStdString(m_request.path)).completeBaseName();
  return OpenSetoutSheet(QStringLiteral("%1 桩位").arg(file), std::move(points), this);
}

void CRoadWindow::OnSend() { sendToSheet(); }
