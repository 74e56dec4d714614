#include "ui/sheet/sheet_output.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <functional>

#include "ui/common/job_runner.h"
#include "ui/common/save_path.h"
#include "ui/sheet/print_preview.h"
#include "ui/sheet/setout_conf.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_csv.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_pdf.h"
#include "ui/sheet/sheet_printer.h"

namespace {

QString today() { return QDate::currentDate().toString(Qt::ISODate); }

std::size_t countOf(const std::vector<bool>& ticked) {
  return static_cast<std::size_t>(std::count(ticked.begin(), ticked.end(), true));
}

// Whether the user left ticked points out last time.
bool leavesTickedOut() {
  return setout_conf::Recalled(setout_conf::kLeaveTickedOut, false).toBool();
}

QString leaveOutText(std::size_t ticked) {
  return QStringLiteral("略去已放样的点（%1 个）(&L)").arg(ticked);
}

QString csv(const SetoutSheet& sheet, const SheetChoices& choices, const QString& path,
            const QString&, const std::atomic<bool>& stop, const std::function<void(int)>&) {
  return WriteSheetCsv(sheet, path, &stop, choices.designShown);
}

QString pdf(const SetoutSheet& sheet, const SheetChoices& choices, const QString& path,
            const QString& date, const std::atomic<bool>& stop,
            const std::function<void(int)>& progress) {
  return WriteSheetPdf(sheet, path, date, &stop, progress, choices);
}

}  // namespace

CSheetOutput::CSheetOutput(QWidget& window, CJobRunner& runner)
    : QObject(&window), m_window(window), m_runner(runner) {}

void CSheetOutput::exportCsv(std::shared_ptr<const SetoutSheet> sheet,
                             const SheetChoices& choices, const std::vector<bool>& ticked) {
  exportAs(std::move(sheet), choices, ticked, QStringLiteral("csv"), csv);
}

void CSheetOutput::exportPdf(std::shared_ptr<const SetoutSheet> sheet,
                             const SheetChoices& choices, const std::vector<bool>& ticked) {
  exportAs(std::move(sheet), choices, ticked, QStringLiteral("pdf"), pdf);
}

void CSheetOutput::exportAs(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                            const std::vector<bool>& ticked, const QString& suffix,
                            Writer write) {
  if (!sheet) return;
  bool leaveOut = false;
  const QString path = savePath(*sheet, suffix, countOf(ticked), leaveOut);
  if (path.isEmpty()) return;
  emit working(QStringLiteral("正在导出 %1 ...").arg(suffix.toUpper()));
  const Ticked left = leaveOut ? std::make_shared<const std::vector<bool>>(ticked) : nullptr;
  m_runner.start([this, sheet, choices, left, path, write, date = today()](
                     const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
    const QString reason =
        left ? write(SheetWithout(*sheet, *left), choices, path, date, stop, progress)
             : write(*sheet, choices, path, date, stop, progress);
    return [this, reason, path] {
      if (!reason.isEmpty())
        ShowSheetProblem(m_window,
                         QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
    };
  });
}

// A file the user names for the sheet, beside its design file; Qt's own
// save dialog asks before it replaces one. "" when cancelled. Where
// `ticked` points are ticked off, the dialog offers to leave them out:
// `leaveOut` says whether the user chose to.
QString CSheetOutput::savePath(const SetoutSheet& sheet, const QString& suffix,
                               std::size_t ticked, bool& leaveOut) {
  const QString folder = sheet.path.isEmpty()
                             ? setout_conf::Recalled(setout_conf::kFolder).toString()
                             : QFileInfo(sheet.path).absolutePath();
  // The design file's name as shown: a GBK name as its Chinese.
  const QString base =
      sheet.path.isEmpty() ? sheet.source : QFileInfo(sheet.source).completeBaseName();
  leaveOut = ticked > 0 && leavesTickedOut();
  const QString path =
      AskSavePath(m_window, QStringLiteral("导出 %1").arg(suffix.toUpper()),
                  QDir(folder).filePath(base + QStringLiteral("-放样.") + suffix), suffix,
                  ticked > 0 ? leaveOutText(ticked) : QString(), ticked > 0 ? &leaveOut : nullptr);
  if (!path.isEmpty() && ticked > 0) setout_conf::Remember(setout_conf::kLeaveTickedOut, leaveOut);
  if (path.isEmpty() || ticked == 0) leaveOut = false;
  return path;
}

// The print preview, laid out off the interface thread, from which the
// sheet is printed.
void CSheetOutput::print(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                         const std::vector<bool>& ticked) {
  if (!sheet) return;
  layOut(std::move(sheet), choices, std::make_shared<const std::vector<bool>>(ticked),
         leavesTickedOut());
}

// Lays the pages out and shows them, the ticked points left out where
// `leaveOut`; turning that choice in the preview lays them out again.
void CSheetOutput::layOut(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                          Ticked ticked, bool leaveOut) {
  const std::size_t count = countOf(*ticked);
  leaveOut = leaveOut && count > 0;
  emit working(QStringLiteral("正在排版 ..."));
  m_runner.start([this, sheet, choices, ticked, count, leaveOut, date = today()](
                     const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
    auto printed = leaveOut ? std::make_shared<const SetoutSheet>(SheetWithout(*sheet, *ticked))
                            : sheet;
    auto layout = std::make_shared<SheetPrinter::Layout>();
    const SheetPrinter printer(*printed, date, choices);
    const QSizeF page = printer.pageLayout().paintRectPixels(96).size();
    const bool laidOut = printer.layOut(page, *layout, &stop, progress);
    return [this, sheet, choices, ticked, count, leaveOut, printed, layout, laidOut, date] {
      if (!laidOut) return;
      CPrintPreview preview(printed, layout, date, choices, &m_window);
      if (count > 0) preview.offerToLeaveOut(leaveOutText(count), leaveOut);
      const int result = preview.exec();
      if (result == CPrintPreview::kLayOutAgain) {
        setout_conf::Remember(setout_conf::kLeaveTickedOut, !leaveOut);
        layOut(sheet, choices, ticked, !leaveOut);
      } else if (result == QDialog::Accepted) {
        printPages(printed, choices, date);
      }
    };
  });
}

// The printer the user picks, then the pages printed off the interface
// thread.
void CSheetOutput::printPages(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                              const QString& date) {
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  printer->setPageLayout(SheetPrinter(*sheet, date, choices).pageLayout());
  printer->setDocName(QStringLiteral("放样表 %1").arg(sheet->source));
  QPrintDialog dialog(printer.get(), &m_window);
  if (dialog.exec() != QDialog::Accepted) return;
  emit working(QStringLiteral("正在打印 ..."));
  m_runner.start([this, sheet, choices, printer, date](const std::atomic<bool>& stop,
                                                       const CJobRunner::Progress& progress) {
    const bool printed =
        SheetPrinter(*sheet, date, choices)
            .print(*printer, &stop, progress, printer->fromPage(), printer->toPage());
    return [this, printed] {
      if (!printed)
        ShowSheetProblem(m_window, QStringLiteral("无法打印：打印机不能接收这份文件。"));
    };
  });
}

void ShowSheetProblem(QWidget& window, const QString& message) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("放样表"), message, QMessageBox::Ok,
                  &window);
  box.exec();
}

SetoutSheet SheetWithout(const SetoutSheet& sheet, const std::vector<bool>& leaveOut) {
  // Every member but the rows, which are copied row by row.
  SetoutSheet kept;
  kept.listed = sheet.listed;
  kept.source = sheet.source;
  kept.path = sheet.path;
  kept.station = sheet.station;
  kept.backsightPoint = sheet.backsightPoint;
  kept.backsightDegrees = sheet.backsightDegrees;
  kept.checkAzimuth = sheet.checkAzimuth;
  kept.checkDistance = sheet.checkDistance;
  kept.oriented = sheet.oriented;
  kept.setup = sheet.setup;
  kept.limits = sheet.limits;
  kept.settings = sheet.settings;
  const SheetRows& rows = sheet.rows;
  const auto& heading = rows.heading();
  // The lines before row `row`, the heading's place among them.
  const auto linesBefore = [&](std::size_t row) {
    const std::string_view lines = rows.linesBefore(row);
    if (!heading || heading->beforeRow != row) return kept.rows.appendLines(lines);
    kept.rows.appendLines(lines.substr(0, heading->at));
    kept.rows.markHeading(heading->layout, heading->comment);
    kept.rows.appendLines(lines.substr(heading->at));
  };
  for (std::size_t row = 0; row < rows.size(); ++row) {
    linesBefore(row);  // a comment stays where it was
    if (row < leaveOut.size() && leaveOut[row]) continue;
    SheetRows::Fields fields;
    for (std::size_t field = 0; field < fields.size(); ++field)
      fields[field] = rows.field(row, SheetRows::Field(field));
    const SheetRows::Point point = rows.point(row);
    kept.rows.append(fields, rows.line(row), rows.hasPoint(row) ? &point : nullptr,
                     rows.layout(row), &rows.error(row));
  }
  linesBefore(rows.size());
  return kept;
}
