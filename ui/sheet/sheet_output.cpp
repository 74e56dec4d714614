#include "ui/sheet/sheet_output.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <functional>

#include "ui/common/job_runner.h"
#include "ui/common/save_path.h"
#include "ui/sheet/print_preview.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_csv.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_pdf.h"
#include "ui/sheet/sheet_printer.h"
#include "ui/sheet/sheet_settings.h"

namespace {

QString today() { return QDate::currentDate().toString(Qt::ISODate); }

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
                             const SheetChoices& choices) {
  exportAs(std::move(sheet), choices, QStringLiteral("csv"), csv);
}

void CSheetOutput::exportPdf(std::shared_ptr<const SetoutSheet> sheet,
                             const SheetChoices& choices) {
  exportAs(std::move(sheet), choices, QStringLiteral("pdf"), pdf);
}

void CSheetOutput::exportAs(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices,
                            const QString& suffix, Writer write) {
  if (!sheet) return;
  const QString path = savePath(*sheet, suffix);
  if (path.isEmpty()) return;
  emit working(QStringLiteral("正在导出 %1 ...").arg(suffix.toUpper()));
  m_runner.start([this, sheet, choices, path, write, date = today()](
                     const std::atomic<bool>& stop, const CJobRunner::Progress& progress) {
    const QString reason = write(*sheet, choices, path, date, stop, progress);
    return [this, reason, path] {
      if (!reason.isEmpty())
        ShowSheetProblem(m_window,
                         QStringLiteral("无法写入 %1：%2").arg(QFileInfo(path).fileName(), reason));
    };
  });
}

// A file the user names for the sheet, beside its design file; Qt's own
// save dialog asks before it replaces one. "" when cancelled.
QString CSheetOutput::savePath(const SetoutSheet& sheet, const QString& suffix) {
  const QString folder = sheet.path.isEmpty()
                             ? sheet_settings::Recalled(sheet_settings::kFolder).toString()
                             : QFileInfo(sheet.path).absolutePath();
  // The design file's name as shown: a GBK name as its Chinese.
  const QString base =
      sheet.path.isEmpty() ? sheet.source : QFileInfo(sheet.source).completeBaseName();
  return AskSavePath(m_window, QStringLiteral("导出 %1").arg(suffix.toUpper()),
                     QDir(folder).filePath(base + QStringLiteral("-放样.") + suffix), suffix);
}

// The print preview, laid out off the interface thread, from which the
// sheet is printed.
void CSheetOutput::print(std::shared_ptr<const SetoutSheet> sheet, const SheetChoices& choices) {
  if (!sheet) return;
  emit working(QStringLiteral("正在排版 ..."));
  m_runner.start([this, sheet, choices, date = today()](const std::atomic<bool>& stop,
                                                        const CJobRunner::Progress& progress) {
    auto layout = std::make_shared<SheetPrinter::Layout>();
    const SheetPrinter printer(*sheet, date, choices);
    const QSizeF page = printer.pageLayout().paintRectPixels(96).size();
    const bool laidOut = printer.layOut(page, *layout, &stop, progress);
    return [this, sheet, choices, layout, laidOut, date] {
      if (!laidOut) return;
      CPrintPreview preview(sheet, layout, date, choices, &m_window);
      if (preview.exec() == QDialog::Accepted) printPages(sheet, choices, date);
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
