// The printed sheet: through Qt's printer, here printing to a PDF file, and
// in the print preview, which draws its pages one at a time; a sheet from a
// free station with its setup and residuals in the heading.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QTest>
#include <atomic>
#include <optional>

#include "tests/ui/sheet/setout_files.h"
#include "tests/ui/sheet/setup_files.h"
#include "ui/sheet/print_preview.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_job.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_pdf.h"
#include "ui/sheet/sheet_printer.h"

namespace {

std::shared_ptr<const SetoutSheet> sheetOf(const SetoutFiles& files) {
  const std::atomic<bool> stop(false);
  return ComputeSheet(SheetJob{files.request(), QString(), nullptr}, stop, nullptr).sheet;
}

QString pdfText(const QString& path) {
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  text.waitForFinished(30000);
  return QString::fromUtf8(text.readAllStandardOutput()).simplified();
}

// The sheet printed by Qt's printer to the PDF file `path`, dated
// 2026-12-01: its text, where it printed.
std::optional<QString> printedText(const SetoutSheet& sheet, const QString& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageLayout(SheetPageLayout());
  if (!SheetPrinter(sheet, QStringLiteral("2026-12-01")).print(printer)) return std::nullopt;
  return pdfText(path);
}

TEST(SheetPrinting, QPrinterPrintsTheSheetAndAStoppedPrintingSaysSo) {
  SetoutFiles files;
  const auto sheet = sheetOf(files);
  ASSERT_TRUE(sheet);
  const auto printed = printedText(*sheet, files.folder.filePath(QStringLiteral("printed.pdf")));
  ASSERT_TRUE(printed);
  const QString page = *printed;
  for (const char* text :
       {"放样表 design.csv", "测站 A1 X 3350000.000 Y 500000.000",
        "检核：后视方位角 7.3541 距离 151.327", "日期 2026-12-01 第 1 页，共 1 页",
        "K2 kerb 53.5338 46.1758 108.797 21.150", "第 7 行：测站与该点重合"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;

  // A stopped printing paints no more pages and says so.
  const std::atomic<bool> stop(true);
  QPrinter stopped(QPrinter::HighResolution);
  stopped.setOutputFormat(QPrinter::PdfFormat);
  stopped.setOutputFileName(files.folder.filePath(QStringLiteral("stopped.pdf")));
  EXPECT_FALSE(SheetPrinter(*sheet, QString()).print(stopped, &stop));
}

// The page heading's fields on the page, an empty one a line to sign on;
// the sight's heights and the correction stated; the sheet's extra
// columns, on a page turned across to hold them.
TEST(SheetPrinting, ThePageShowsTheHeadingFieldsTheHeightsAndTheExtraColumns) {
  SetoutFiles files;
  reading::SheetRequest request = files.request();
  request.angleFormat = reading::AngleFormat::kDms;
  request.heights = reading::SightHeights{20.5, 1.552, 1.3, true};
  const std::atomic<bool> stop(false);
  const auto sheet = ComputeSheet(SheetJob{request, QString(), nullptr}, stop, nullptr).sheet;
  ASSERT_TRUE(sheet);
  SheetChoices choices;
  choices.designShown = true;
  choices.heading.fields = {QStringLiteral("滨江路二期"), QString(), QStringLiteral("张三"),
                            QStringLiteral("李四"),       QString(), QStringLiteral("晴")};
  const QString path = files.folder.filePath(QStringLiteral("heading.pdf"));
  ASSERT_EQ(WriteSheetPdf(*sheet, path, QStringLiteral("2026-12-01"), nullptr, {}, choices),
            QString());
  const QString page = pdfText(path);
  for (const char* text :
       {"工程名称：滨江路二期 仪器： 观测：张三", "记录：李四 检查： 天气：晴",
        "测站高程 20.500 仪器高 1.552 目标高 1.300 两差改正：有（K = 0.14，R = 6371 km）",
        "设计高程 高差 天顶距 斜距 设计X 设计Y",
        "K1 6°30′30″ 358°54′49″ 108.912 21.300 0.548 89°42′44″ 108.913 3350108.210 "
        "500012.345"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text << "\n" << page.toStdString();
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {path});
  info.waitForFinished(30000);
  EXPECT_TRUE(info.readAllStandardOutput().contains("Page size:       842 x 595 pts (A4)"));
}

TEST(SheetPrinting, ThePreviewPagesThroughTheSheetAndThePrinterTakesARange) {
  SetoutFiles files;
  QFile design(files.design);
  ASSERT_TRUE(design.open(QIODevice::WriteOnly));
  for (int i = 1; i <= 150; ++i)
    design.write(QStringLiteral("P%1,,%2,3350100,20\n").arg(i).arg(500000 + i).toUtf8());
  design.close();
  const auto sheet = sheetOf(files);
  ASSERT_TRUE(sheet);
  auto layout = std::make_shared<SheetPrinter::Layout>();
  ASSERT_TRUE(SheetPrinter(*sheet, QString())
                  .layOut(SheetPageLayout().paintRectPixels(96).size(), *layout));
  const int pages = static_cast<int>(layout->pages.size());
  ASSERT_GE(pages, 3);
  EXPECT_EQ(layout->pages.back().endRow, 150u);
  CPrintPreview preview(sheet, layout, QStringLiteral("2026-12-01"));
  preview.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
  auto* number = preview.findChild<QSpinBox*>();
  QTest::keyClick(&preview, Qt::Key_End);
  EXPECT_EQ(preview.page(), pages - 1);
  EXPECT_EQ(number->value(), pages);
  QTest::keyClick(&preview, Qt::Key_PageUp);
  EXPECT_EQ(preview.page(), pages - 2);
  number->setValue(1);
  EXPECT_EQ(preview.page(), 0);
  preview.findChild<QDialogButtonBox*>()->buttons().front()->click();
  EXPECT_EQ(preview.result(), QDialog::Accepted);  // 打印...: the window asks for the printer

  // Pages 2 and 3 only, as a print dialog asks.
  const QString path = files.folder.filePath(QStringLiteral("range.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageLayout(SheetPageLayout());
  ASSERT_TRUE(SheetPrinter(*sheet, QString()).print(printer, nullptr, {}, 2, 3));
  const QString printed = pdfText(path);
  EXPECT_FALSE(printed.contains(QStringLiteral("第 1 页")));
  EXPECT_TRUE(printed.contains(QStringLiteral("第 2 页，共 %1 页").arg(pages)));
  EXPECT_TRUE(printed.contains(QStringLiteral("第 3 页，共 %1 页").arg(pages)));
  EXPECT_FALSE(printed.contains(QStringLiteral("第 4 页")));
}

// The worked free station: its station, orientation and quality on every
// page, and on the first each sighting with its residuals, those over the
// limits marked.
TEST(SetupPrinting, TheHeadingGivesTheSetupAndItsResiduals) {
  SetupFiles files;
  const std::atomic<bool> stop(false);
  const auto sheet =
      ComputeSheet(SheetJob{files.freeRequest(), QString(), nullptr, {10, 10}}, stop, nullptr)
          .sheet;
  ASSERT_TRUE(sheet);
  const auto printed = printedText(*sheet, files.folder.filePath(QStringLiteral("free.pdf")));
  ASSERT_TRUE(printed);
  const QString page = *printed;
  for (const char* text :
       {"自由设站 X 6188.9593 Y 8356.6768 定向 349.595819",
        "检核：mX 3.5 mm mY 1.7 mm σ0 2.49 11 个观测，超限 3 个",
        "残差为计算值减观测值，* 超过限差 10″ / 10 mm", "A 0.0000 299.991 +2.9 +4.2 +11.4*",
        "D 21.5952 149.995 +10.5* +7.7 +7.8", "F 190.0005 400.010 -3.8 -7.3 -12.7*",
        "K1 47.5643 57.5645 31.412 21.300"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text << "\n" << page.toStdString();
}

}  // namespace
