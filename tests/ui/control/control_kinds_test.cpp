// The kinds of traverse and levelling line through the window's reading,
// on a route whose true coordinates are known: noise-free observations
// give the points back and close to nothing; left and right angles, a
// closed loop, the ends without orientation, an open traverse and the
// rigorous adjustment. Then the parts the window is made of: its table's
// paste and delete, its files of rows, and the form's pages.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QTest>

#include "ui/control/control_export.h"
#include "ui/control/control_form.h"
#include "ui/control/control_printer.h"
#include "ui/control/observation_file.h"
#include "ui/control/observation_table.h"
#include "ui/control/level_sheet.h"
#include "ui/control/traverse_sheet.h"

namespace {

using survey::TraverseKind;

// A route through (5000.000, 3000.000) ... (5240.912, 3502.468), seen from
// a backsight (4880, 2950) and towards a foresight (5400, 3600); its
// angles (to 0.0001") and distances (to 0.1 mm) worked out apart from the
// program, from the true coordinates.
TraverseTyped TrueRoute(bool right) {
  TraverseTyped typed;
  typed.start = {"P0", "5000.000", "3000.000"};
  typed.end = {"P4", "5240.912", "3502.468"};
  typed.backsight = {"BS", "4880.000", "2950.000"};
  typed.foresight = {"FS", "5400.000", "3600.000"};
  typed.side = right ? survey::AngleSide::kRight : survey::AngleSide::kLeft;
  typed.rows = {{"P0", right ? "167.06054301" : "192.53545699", "151.6790"},
                {"P1", right ? "144.34472700" : "215.25127300", "173.1511"},
                {"P2", right ? "131.36273874" : "228.23326126", "158.6066"},
                {"P3", right ? "260.17103622" : "99.42496378", "178.4603"},
                {"P4", right ? "187.32007752" : "172.27592248", ""}};
  return typed;
}

const char* const kTrue[][3] = {{"P0", "5000.000", "3000.000"},
                                {"P1", "5123.456", "3088.120"},
                                {"P2", "5180.004", "3251.777"},
                                {"P3", "5102.310", "3390.051"},
                                {"P4", "5240.912", "3502.468"}};

void ExpectTruePoints(const TraverseShown& shown) {
  const TextTable table = TraverseTable(shown);
  ASSERT_EQ(table.rows.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(table.rows[i][0], kTrue[i][0]);
    EXPECT_EQ(table.rows[i][10], kTrue[i][1]) << i;
    EXPECT_EQ(table.rows[i][11], kTrue[i][2]) << i;
  }
}

std::shared_ptr<const TraverseShown> Computed(const TraverseTyped& typed) {
  QString problem;
  auto shown = ComputeTraverseSheet(typed, problem);
  EXPECT_NE(shown, nullptr) << problem.toStdString();
  return shown;
}

TEST(TraverseKinds, NoiseFreeObservationsCloseToNothingAndGiveThePointsBack) {
  for (const bool right : {false, true}) {
    const auto shown = Computed(TrueRoute(right));
    ASSERT_NE(shown, nullptr);
    ExpectTruePoints(*shown);
    EXPECT_LT(std::abs(shown->result.angle->seconds), 0.001) << right;
    EXPECT_LT(shown->result.coordinates->f, 0.0005) << right;
    const std::vector<ClosureText> closures = TraverseClosures(*shown);
    EXPECT_TRUE(closures[0].text.startsWith("fβ = 0.0″"));
    EXPECT_FALSE(closures[2].over);
  }
}

TEST(TraverseKinds, TypedAzimuthsStandInForTheSightedPoints) {
  TraverseTyped typed = TrueRoute(false);
  typed.backsight = {};
  typed.foresight = {};
  typed.azimuthIn = "22.37115138";
  typed.azimuthOut = "31.30402889";
  const auto shown = Computed(typed);
  ASSERT_NE(shown, nullptr);
  ExpectTruePoints(*shown);
}

TEST(TraverseKinds, WithoutOrientationTheEndsAloneFixTheRoute) {
  TraverseTyped typed = TrueRoute(false);
  typed.kind = TraverseKind::kUnoriented;
  const auto shown = Computed(typed);
  ASSERT_NE(shown, nullptr);
  ExpectTruePoints(*shown);
  EXPECT_FALSE(shown->result.angle.has_value());
  EXPECT_NEAR(shown->result.similarity->scale, 1.0, 1e-6);
}

TEST(TraverseKinds, AnOpenTraverseIsComputedAndMarkedUnchecked) {
  TraverseTyped typed = TrueRoute(false);
  typed.kind = TraverseKind::kOpen;
  typed.end = {};
  typed.foresight = {};
  const auto shown = Computed(typed);
  ASSERT_NE(shown, nullptr);
  ExpectTruePoints(*shown);
  EXPECT_EQ(TraverseClosures(*shown)[0].text, "支导线：无检核，ΣD = 661.897 m");
  EXPECT_EQ(AdjustedPoints(*shown).size(), 5u);
}

// A loop A-P1-P2-P3-A on its backsight (900, 900): the connection angle,
// then the polygon's four outer angles summing to 1080°.
TEST(TraverseKinds, AClosedLoopEndsOnItsStartAndListsItOnce) {
  TraverseTyped typed;
  typed.kind = TraverseKind::kClosed;
  typed.start = {"A", "1000.000", "1000.000"};
  typed.backsight = {"BS", "900.000", "900.000"};
  typed.rows = {{"A", "161.33541842", "111.8034"},
                {"P1", "251.01465319", "151.3275"},
                {"P2", "283.26343236", "139.2839"},
                {"P3", "267.23507761", "158.1139"},
                {"", "278.07483685", ""}};
  const auto shown = Computed(typed);
  ASSERT_NE(shown, nullptr);
  const TextTable table = TraverseTable(*shown);
  ASSERT_EQ(table.rows.size(), 5u);
  EXPECT_EQ(table.rows[2].mid(10), QStringList({"1080.000", "1200.000"}));
  EXPECT_EQ(table.rows[4][0], "A");  // the last row's name, the start's
  const std::vector<NamedPoint> points = AdjustedPoints(*shown);
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points.back().name, "P3");
}

TEST(TraverseKinds, TheRigorousTableAddsEachPointsStandardErrors) {
  TraverseTyped typed = TrueRoute(false);
  typed.rigorous = true;
  const auto shown = Computed(typed);
  ASSERT_NE(shown, nullptr);
  const TextTable table = TraverseTable(*shown);
  EXPECT_EQ(table.titles.mid(12), QStringList({"mX mm", "mY mm", "mP mm"}));
  EXPECT_EQ(table.rows[0].size(), 15);
  EXPECT_EQ(table.rows[0][12], "0.0");  // the known start
  EXPECT_TRUE(TraverseClosures(*shown).back().text.startsWith("严密平差：σ0 = "));
  ExpectTruePoints(*shown);
}

// What the fields lack or hold wrong is said in the window's words, and no
// table is made.
TEST(LineInput, WhatTheFieldsLackIsSaidAndMakesNoTable) {
  TraverseTyped noAzimuth = TrueRoute(false);
  noAzimuth.backsight = {};
  TraverseTyped unnamed = TrueRoute(false);
  unnamed.start.name.clear();
  TraverseTyped halfPoint = TrueRoute(false);
  halfPoint.foresight.y.clear();
  const struct {
    TraverseTyped typed;
    const char* said;
  } traverses[] = {
      {noAzimuth, "请填写起始方位角，或后视点的点名与坐标"},
      {unnamed, "请填写起点的点名"},
      {halfPoint, "请填写前视点的 X 与 Y"},
  };
  for (const auto& c : traverses) {
    QString problem;
    EXPECT_EQ(ComputeTraverseSheet(c.typed, problem), nullptr);
    EXPECT_EQ(problem, QString::fromUtf8(c.said));
  }
  LevelTyped line;
  line.startName = "BMA";
  line.startHeight = "421.326";
  line.endName = "BMB";
  line.endHeight = "425.062";
  line.count = survey::LevelCount::kStations;
  line.rows = {{"1", "+0.152", "6"}, {"BMB", "+2.511", "4"}};
  LevelTyped noEnd = line;
  noEnd.endHeight.clear();
  LevelTyped zero = line;
  zero.rows[1][2] = "0";
  LevelTyped half = line;
  half.rows[0][2] = "5.5";
  LevelTyped wrongEnd = line;
  wrongEnd.rows[1][0] = "BMC";
  const struct {
    LevelTyped typed;
    const char* said;
  } levels[] = {
      {noEnd, "请填写终点的点名与已知高程"},
      {zero, "第 2 行的距离或测站数须大于 0（测站数须为整数）"},
      {half, "第 1 行的距离或测站数须大于 0（测站数须为整数）"},
      {wrongEnd, "最后一行是 BMC，应为 BMB"},
  };
  for (const auto& c : levels) {
    QString problem;
    EXPECT_EQ(ComputeLevelSheet(c.typed, problem), nullptr) << c.said;
    EXPECT_EQ(problem, QString::fromUtf8(c.said));
  }
}

// Rows copied from a spreadsheet or a text file, fields apart by tabs,
// commas or blanks, go in from the current cell; Delete empties the cells
// chosen; an empty row is always left to type into.
TEST(ObservationTable, PastesRowsDeletesCellsAndKeepsAnEmptyLastRow) {
  CObservationTable table({"点名", "观测角", "距离"});
  table.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
  int changes = 0;
  QObject::connect(&table, &CObservationTable::changed, [&] { ++changes; });
  table.setCurrentCell(0, 0);
  QApplication::clipboard()->setText("B\t99.0100\t225.848\r\n1,167.4536,139.026\n\n2 123.1124  172.572\n");
  QTest::keySequence(&table, QKeySequence::Paste);
  EXPECT_EQ(table.rows(), (std::vector<QStringList>{{"B", "99.0100", "225.848"},
                                                    {"1", "167.4536", "139.026"},
                                                    {"2", "123.1124", "172.572"}}));
  EXPECT_EQ(table.rowCount(), 4);
  EXPECT_EQ(changes, 1);
  table.setCurrentCell(1, 2);
  table.setRangeSelected(QTableWidgetSelectionRange(1, 2, 2, 2), true);
  QTest::keyClick(&table, Qt::Key_Delete);
  EXPECT_EQ(table.rows()[1][2], "");
  EXPECT_EQ(table.rows()[2][2], "");
  EXPECT_EQ(changes, 2);
}

// A file of rows as the window opens it: its comments, blank lines and
// header passed over; and what it saves reads back the same.
TEST(ObservationFile, ReadsRowsPastCommentsAndAHeaderAndReadsBackWhatItWrites) {
  QTemporaryDir folder;
  const QString path = folder.filePath("观测.txt");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("# traverse\n点名,角度,距离\n\nB,99.0100,225.848\n1\t167.4536\t139.026\nC 129.2724\n");
  file.close();
  std::vector<QStringList> rows;
  QString problem;
  ASSERT_TRUE(ReadObservationFile(path, rows, problem)) << problem.toStdString();
  const std::vector<QStringList> expected = {
      {"B", "99.0100", "225.848"}, {"1", "167.4536", "139.026"}, {"C", "129.2724"}};
  EXPECT_EQ(rows, expected);
  const QString saved = folder.filePath("saved.txt");
  ASSERT_EQ(WriteObservationFile({{"B", "99.0100", "225.848", ""}, {"", "", ""}, {"C", "129.2724"}}, saved),
            QString());
  ASSERT_TRUE(ReadObservationFile(saved, rows, problem));
  EXPECT_EQ(rows, (std::vector<QStringList>{{"B", "99.0100", "225.848"}, {"C", "129.2724"}}));
  EXPECT_FALSE(ReadObservationFile(folder.filePath("none.txt"), rows, problem));
  EXPECT_TRUE(problem.startsWith("无法读取 none.txt")) << problem.toStdString();
}

// A form longer than a page: every row on one page in order, the header
// on each, and the last page with room for the sums and the foot.
TEST(ControlForms, LongFormRunsOverPagesWithTheFootOnTheLast) {
  ControlForm form;
  form.title = "导线计算表";
  form.columns = {{{}, "点号", 1}, {{}, "X", 1}};
  for (int i = 0; i < 90; ++i) form.rows.push_back({{QString::number(i), "1.000"}, {}, i % 2 == 1});
  form.closures = {{"fβ = 0.0″", false}};
  const ControlPrinter printer(form, "2026-12-10");
  const QSizeF page(1032, 703);  // A4 across inside 12 mm margins, 96 dpi
  const auto pages = printer.pages(page);
  ASSERT_GE(pages.size(), 3u);
  std::size_t next = 0;
  for (const auto& [first, end] : pages) {
    EXPECT_EQ(first, next);
    next = end;
  }
  EXPECT_EQ(next, form.rows.size());
  EXPECT_LT(pages.back().second - pages.back().first, pages.front().second - pages.front().first);
  // A short form is one page.
  form.rows.resize(12);
  EXPECT_EQ(printer.pages(page).size(), 1u);
}

}  // namespace
