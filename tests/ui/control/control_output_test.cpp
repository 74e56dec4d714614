// What the 导线/水准 window writes and hands on, offscreen: the office
// forms as PDF (read back with pdftotext), the computation table as CSV,
// the adjusted points as a CASS file in GB18030, the points sent to a
// 放样表 as its control points and set out there, and the calculator's
// window menu that opens the window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "res/resource.h"
#include "tests/ui/control/worked_cases.h"
#include "ui/calc/calc_dialog.h"
#include "ui/control/closure_box.h"
#include "ui/control/control_window.h"
#include "ui/control/level_page.h"
#include "ui/control/traverse_page.h"
#include "ui/sheet/open_sheet.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/station_panel.h"

namespace {

using control_test::WorkedLevel;
using control_test::WorkedTraverse;

class ControlOutputTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    TraverseTyped typed = WorkedTraverse();
    typed.rows[2][0] = QStringLiteral("导2");  // a name CASS must read in GB18030
    window.traverse().setTyped(typed);
    window.level().setTyped(WorkedLevel());
    ASSERT_TRUE(QTest::qWaitFor([&] {
      return window.traverse().shown() != nullptr && window.level().shown() != nullptr;
    }));
  }
  QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
  QByteArray bytes(const QString& file) const {
    QFile read(file);
    return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
  }
  // The PDF's text as pdftotext lays it out.
  QString pdfText(const QString& pdf) const {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    return tool.waitForFinished(20000) ? QString::fromUtf8(tool.readAllStandardOutput()) : QString();
  }

  QTemporaryDir folder;
  CControlWindow window;
};

TEST_F(ControlOutputTest, TraverseFormPrintsTheClassicColumnsClosuresAndSignatures) {
  window.showTab(CControlWindow::Tab::kTraverse);
  ASSERT_EQ(window.writePdf(path("导线.pdf")), QString());
  const QString text = pdfText(path("导线.pdf"));
  for (const char* expected :
       {"导线计算表", "附合导线", "图根", "改正后角值", "坐标方位角", "增量计算值", "改正后增量",
        "99°01′00″", "+6", "99°01′06″", "157°00′36″", "225.848", "2299.800", "1303.826",
        "2179.660", "1655.701", "辅助计算", "fβ = -36.0″", "K = 1/9567，限差 1/2000", "略图", "计算：",
        "检查：", "日期："}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
  }
  EXPECT_FALSE(text.contains("超限"));
}

TEST_F(ControlOutputTest, LevelFormPrintsItsSectionsBetweenThePoints) {
  window.showTab(CControlWindow::Tab::kLevel);
  ASSERT_EQ(window.writePdf(path("水准.pdf")), QString());
  const QString text = pdfText(path("水准.pdf"));
  for (const char* expected : {"水准测量成果计算表", "附合水准路线", "测站数", "实测高差",
                               "改正后高差", "421.326", "+0.152", "-9", "+0.143", "421.469",
                               "421.136", "422.557", "425.062", "已知点", "fh = 30.0 mm，限差 ±53.7 mm",
                               "计算："}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
  }
}

TEST_F(ControlOutputTest, CsvHasTheMarkTheTitlesTheRowsAndTheClosures) {
  ASSERT_EQ(window.writeCsv(path("t.csv")), QString());
  const QByteArray csv = bytes(path("t.csv"));
  ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF点名,观测角,改正数″,改正后角值"));
  const QString text = QString::fromUtf8(csv);
  EXPECT_TRUE(text.contains("\n1,167.4536,6,167.4542,144.4618,139.026,"));
  EXPECT_TRUE(text.contains("\nfx = -0.038 m，fy = 0.068 m，f = 0.077 m，ΣD = 739.996 m\n"));
}

TEST_F(ControlOutputTest, CassFileIsInGb18030WithEastBeforeNorth) {
  ASSERT_EQ(window.writeCass(path("t.dat")), QString());
  const QByteArray dat = bytes(path("t.dat"));
  // 导 is B5 BC in GB18030.
  EXPECT_TRUE(dat.startsWith("B,,1215.637,2507.698,\r\n1,,1303.826,2299.800,\r\n\xB5\xBC" "2,,1384.009,2186.242,\r\n"))
      << dat.toStdString();
  EXPECT_TRUE(dat.endsWith("C,,1757.344,2166.646,\r\n"));
}

// The adjusted points become the 放样表's control points: its station and
// backsight are named by them, and a design point sets out from them.
TEST_F(ControlOutputTest, PointsSentToTheSheetSetOutThere) {
  TraverseTyped typed = WorkedTraverse();
  window.traverse().setTyped(typed);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.traverse().computing(); }));
  CSetoutWindow* open =
      OpenSetoutSheet(QStringLiteral("设计点"), {{"D1", "", {2250.000, 1350.000}, std::nullopt}});
  ASSERT_TRUE(QTest::qWaitFor([&] { return open->sheet() != nullptr || open->model().rowCount() == 1; }));
  CSetoutWindow* sheet = window.sendToSheet();
  ASSERT_EQ(sheet, open);  // the 放样表 open takes them
  sheet->panel().showSetup({reading::PointName{"1"}, reading::PointName{"2"}});
  emit sheet->panel().changed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->sheet() != nullptr && !sheet->sheet()->listed; }));
  EXPECT_EQ(sheet->sheet()->station.x, 2299.800);
  EXPECT_EQ(sheet->sheet()->station.y, 1303.826);
  EXPECT_EQ(sheet->sheet()->checkAzimuth, "144.4627");
  // From an independent reference: 352.389479°, 67.9123 m.
  EXPECT_EQ(sheet->model().index(0, CSheetModel::kAngle).data().toString(), "352.2322");
  EXPECT_TRUE(sheet->model().index(0, CSheetModel::kDistance).data().toString().startsWith("67.912"));
  const QStringList written = QDir(CControlWindow::ControlFolder()).entryList(QDir::Files);
  EXPECT_FALSE(written.isEmpty());
  sheet->close();
}

// The closure drawn to scale beside the route: a red vector while the
// traverse has a coordinate closure, nothing where it has none.
TEST_F(ControlOutputTest, ClosureIsDrawnBesideTheRouteWhileThereIsOne) {
  auto* box = window.traverse().findChild<CClosureBox*>();
  ASSERT_NE(box, nullptr);
  const auto reds = [box] {
    const QImage image = box->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == QColor(200, 0, 0);
    return count;
  };
  EXPECT_GT(reds(), 20);
  TraverseTyped open = WorkedTraverse();
  open.kind = survey::TraverseKind::kOpen;
  open.rows.pop_back();
  window.traverse().setTyped(open);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.traverse().computing(); }));
  ASSERT_NE(window.traverse().shown(), nullptr) << window.traverse().problem().toStdString();
  EXPECT_EQ(reds(), 0);
}

// The calculator's window menu opens one 导线/水准 window beside it.
TEST(ControlWindowEntry, CalculatorsWindowMenuOpensIt) {
  CCalcDialog calc;
  calc.show();  // its window menu is made as it shows
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  QStringList entries;
  for (QAction* action : calc.windowMenu().actions()) entries << action->text();
  EXPECT_TRUE(entries.contains("导线/水准(&L)...")) << entries.join('|').toStdString();
  calc.OnSysCommand(IDM_CONTROL);
  calc.OnSysCommand(IDM_CONTROL);
  int open = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (qobject_cast<CControlWindow*>(widget) && widget->isVisible()) ++open;
  EXPECT_EQ(open, 1);
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (qobject_cast<CControlWindow*>(widget)) widget->close();
}

}  // namespace

namespace {

struct ProgramRun {
  int status;
  QString err;
};

ProgramRun RunProgram(const QStringList& args) {
  QProcess program;
  program.start(QStringLiteral(CORVANE_PROGRAM), args);
  if (!program.waitForFinished(30000)) return {-1, {}};
  return {program.exitCode(), QString::fromUtf8(program.readAllStandardError())};
}

// corvane --traverse with corvane-calc's options writes the form without
// a window; its status says whether a closure is over (the form written
// all the same) or there is no line.
TEST(ControlCommandLine, PdfWithoutAWindowExitsByTheClosures) {
  QTemporaryDir folder;
  const QString docs = QStringLiteral(CORVANE_DOCS);
  const QStringList traverse = {"--traverse", "--control", docs + "/control.dat", "--start", "B",
                                "--start-azimuth", "237.5930", "--end", "C", "--end-azimuth",
                                "46.4524", docs + "/traverse.txt", "--pdf"};
  EXPECT_EQ(RunProgram(traverse + QStringList{folder.filePath("a.pdf")}).status, 0);
  EXPECT_TRUE(QFile::exists(folder.filePath("a.pdf")));
  EXPECT_EQ(RunProgram(traverse + QStringList{folder.filePath("b.pdf"), "--grade", "一级"}).status, 1);
  EXPECT_TRUE(QFile::exists(folder.filePath("b.pdf")));
  QStringList unknown = traverse + QStringList{folder.filePath("c.pdf")};
  unknown[4] = "B9";
  const ProgramRun none = RunProgram(unknown);
  EXPECT_EQ(none.status, 2);
  EXPECT_TRUE(none.err.contains("B9")) << none.err.toStdString();
  EXPECT_FALSE(QFile::exists(folder.filePath("c.pdf")));
  const ProgramRun bare = RunProgram({"--level", docs + "/level.txt", "--pdf", folder.filePath("d.pdf")});
  EXPECT_EQ(bare.status, 2);
  EXPECT_TRUE(bare.err.contains("--pdf needs")) << bare.err.toStdString();
  const ProgramRun level = RunProgram({"--level", "--control", docs + "/benchmarks.dat", "--start", "BMA",
                                "--end", "BMB", "--by-stations", docs + "/level.txt", "--pdf",
                                folder.filePath("e.pdf")});
  EXPECT_EQ(level.status, 0) << level.err.toStdString();
}

}  // namespace
