// The 线路 window's output: the curve table and the stakes as CSV, the
// road as a PDF and on paper, the long ones off the interface thread with
// progress and 取消. The rest of the window is in road_window.cpp.

#include "ui/road/road_window.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>

#include "ui/common/job_runner.h"
#include "ui/common/save_path.h"
#include "ui/road/road_csv.h"
#include "ui/road/road_printer.h"

namespace {

QString today() { return QDate::currentDate().toString(Qt::ISODate); }

}  // namespace

// A file the user names for `what`, beside the road's file; "" when cancelled.
QString CRoadWindow::savePath(const QString& what, const QString& suffix) {
  const QFileInfo road(QString::fromStdString(m_request.path));
  return AskSavePath(
      *this, QStringLiteral("导出%1").arg(what),
      QDir(road.absolutePath())
          .filePath(QStringLiteral("%1-%2.%3").arg(road.completeBaseName(), what, suffix)),
      suffix);
}

void CRoadWindow::OnExportCurves() {
  if (!m_road) return;
  const bool jd = m_request.table == reading::RoadRequest::Table::kIntersections;
  const QString path =
      savePath(jd ? QStringLiteral("曲线表") : QStringLiteral("主点表"), QStringLiteral("csv"));
  if (path.isEmpty()) return;
  const QString reason = WriteCurveCsv(*m_road, path);
  if (!reason.isEmpty())
    showProblem(QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
}

void CRoadWindow::OnExportStakes() {
  if (!m_road || !m_stakes) return;
  const QString path = savePath(QStringLiteral("桩位表"), QStringLiteral("csv"));
  if (path.isEmpty()) return;
  m_counts->setText(QStringLiteral("正在导出 CSV ..."));
  m_jobs->start([this, road = m_road, stakes = m_stakes, path](const std::atomic<bool>& stop,
                                                               const CJobRunner::Progress&) {
    const QString reason = WriteStakeCsv(*road, *stakes, path, &stop);
    return [this, reason, path] {
      if (!reason.isEmpty())
        showProblem(QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
    };
  });
}

void CRoadWindow::OnExportPdf() {
  if (!m_road) return;
  const QString path = savePath(QStringLiteral("线路"), QStringLiteral("pdf"));
  if (path.isEmpty()) return;
  m_counts->setText(QStringLiteral("正在导出 PDF ..."));
  m_jobs->start([this, road = m_road, stakes = m_stakes, path, date = today()](
                    const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
    const QString reason = WriteRoadPdf(*road, stakes.get(), path, date, &stop, progress);
    return [this, reason, path] {
      if (!reason.isEmpty())
        showProblem(QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
    };
  });
}

// The printer the user picks, then the pages printed off the interface thread.
void CRoadWindow::OnPrint() {
  if (!m_road) return;
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  printer->setPageLayout(RoadPageLayout());
  printer->setDocName(
      QStringLiteral("线路 %1").arg(QFileInfo(QString::fromStdString(m_request.path)).fileName()));
  QPrintDialog dialog(printer.get(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_counts->setText(QStringLiteral("正在打印 ..."));
  m_jobs->start([this, road = m_road, stakes = m_stakes, printer, date = today()](
                    const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
    const bool printed = RoadPrinter(*road, stakes.get(), date).print(*printer, &stop, progress);
    return [this, printed] {
      if (!printed) showProblem(QStringLiteral("无法打印：打印机不能接收这份文件。"));
    };
  });
}
