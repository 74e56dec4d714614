// The 导线/水准 window as a user meets it, offscreen: the worked traverse
// and levelling line typed in and computed as the office computed them,
// the table following what is typed without Enter, closures over their
// limits marked, the window's table against corvane-calc's output for the
// same rows, and input that makes no table.

#include "ui/control/control_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTest>

#include "tests/ui/control/worked_cases.h"
#include "ui/common/text_table.h"
#include "ui/control/level_page.h"
#include "ui/control/observation_table.h"
#include "ui/control/traverse_page.h"
#include "ui/common/window_look.h"

namespace {

using control_test::WorkedLevel;
using control_test::WorkedTraverse;

class ControlWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  // Waits until what was typed has been computed and shown.
  bool settled() {
    return QTest::qWaitFor([&] { return !window.traverse().computing() && !window.level().computing(); });
  }
  QStringList row(const CTextTableModel& model, int at) const {
    return model.table().rows.at(static_cast<std::size_t>(at));
  }
  QString cell(const CTextTableModel& model, const QString& name, int column) const {
    for (const QStringList& cells : model.table().rows)
      if (cells.value(0) == name) return cells.value(column);
    return QStringLiteral("(no row %1)").arg(name);
  }

  CControlWindow window;
};

// The traverse's columns: NAME ANGLE V CORRECTED AZIMUTH DISTANCE DX DY VX VY X Y.
enum { kName, kAngle, kV, kCorrected, kAzimuth, kDistance, kDx, kDy, kVx, kVy, kX, kY };

TEST_F(ControlWindowTest, WorkedTraverseComesOutAsTheOfficeComputedIt) {
  window.traverse().setTyped(WorkedTraverse());
  ASSERT_TRUE(settled());
  ASSERT_NE(window.traverse().shown(), nullptr) << window.traverse().problem().toStdString();
  const CTextTableModel& model = window.traverse().tableModel();
  ASSERT_EQ(model.rowCount(), 6);
  // +6" an angle; azimuths B-1 157°00'36" ... 4-C 97°17'54".
  EXPECT_EQ(row(model, 0).mid(kAngle, 5), QStringList({"99.0100", "6", "99.0106", "157.0036", "225.848"}));
  EXPECT_EQ(cell(model, "4", kAzimuth), "97.1754");
  const struct {
    const char* name;
    const char* x;
    const char* y;
  } points[] = {{"1", "2299.800", "1303.826"},
                {"2", "2186.242", "1384.009"},
                {"3", "2192.384", "1556.456"},
                {"4", "2179.660", "1655.701"},
                {"C", "2166.646", "1757.344"}};
  for (const auto& p : points) {
    EXPECT_EQ(cell(model, p.name, kX), p.x) << p.name;
    EXPECT_EQ(cell(model, p.name, kY), p.y) << p.name;
  }
  const QString closures = window.traverse().closures().text();
  EXPECT_TRUE(closures.contains("fβ = -36.0″")) << closures.toStdString();
  EXPECT_TRUE(closures.contains("fx = -0.038 m，fy = 0.068 m，f = 0.077 m，ΣD = 739.996 m"))
      << closures.toStdString();
  EXPECT_TRUE(closures.contains("K = 1/9567，限差 1/2000"));
  EXPECT_FALSE(closures.contains("超限"));
}

// A grade whose limit the same closure exceeds: the closure says so in
// red, and the table is shown all the same.
TEST_F(ControlWindowTest, ClosureOverTheGradesLimitIsRedAndTheTableStays) {
  TraverseTyped typed = WorkedTraverse();
  typed.grade = QStringLiteral("一级");  // ±10"√6 = ±24.5" < 36"; 1/15000 > 1/9567
  window.traverse().setTyped(typed);
  ASSERT_TRUE(settled());
  ASSERT_NE(window.traverse().shown(), nullptr);
  EXPECT_EQ(cell(window.traverse().tableModel(), "1", kX), "2299.800");
  const QString closures = window.traverse().closures().text();
  EXPECT_EQ(closures.count("超限"), 2) << closures.toStdString();
  EXPECT_TRUE(closures.contains(ErrorColour().name()));
  EXPECT_TRUE(closures.contains("限差 ±24.5″"));
}

// Typed limits stand in for the grade.
TEST_F(ControlWindowTest, TypedLimitsStandInForTheGrade) {
  TraverseTyped typed = WorkedTraverse();
  typed.grade.clear();
  typed.angleLimit = QStringLiteral("10");
  typed.relativeLimit = QStringLiteral("5000");
  window.traverse().setTyped(typed);
  ASSERT_TRUE(settled());
  const QString closures = window.traverse().closures().text();
  EXPECT_TRUE(closures.contains("限差 ±24.5″")) << closures.toStdString();
  EXPECT_TRUE(closures.contains("K = 1/9567，限差 1/5000"));
  EXPECT_EQ(closures.count("超限"), 1);
}

// A key typed into a cell counts a moment later, without Enter or
// leaving the cell.
TEST_F(ControlWindowTest, TableFollowsWhatIsTypedIntoACell) {
  window.traverse().setTyped(WorkedTraverse());
  ASSERT_TRUE(settled());
  CObservationTable& rows = window.traverse().observations();
  rows.setFocus();
  rows.setCurrentCell(1, 2);  // 1's distance to 2
  rows.editItem(rows.item(1, 2));
  auto* editor = rows.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "139.126");  // 0.1 m longer
  const auto before = window.traverse().shown();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.traverse().shown() != before; }));
  EXPECT_TRUE(editor->isVisible());  // still typing
  EXPECT_EQ(cell(window.traverse().tableModel(), "1", kDistance), "139.126");
  EXPECT_TRUE(window.traverse().closures().text().contains("ΣD = 740.096 m"));
}

// Rows that cannot make the traverse give no table and say why, naming
// the row.
TEST_F(ControlWindowTest, BadInputSaysWhatIsWrongAndShowsNoTable) {
  const struct {
    int row, column;
    const char* typed;
    const char* said;
  } cases[] = {
      {2, kStationDistance, "-172.572", "第 3 行（2）的距离须大于 0"},
      {2, kStationDistance, "17a", "第 3 行的距离不是数：17a"},
      {3, kStationAngle, "189.6036", "第 4 行的观测角的分超过 59（度.分秒）：189.6036"},
      {0, kStationName, "A", "第一行是 A，应为起点 B"},
  };
  for (const auto& c : cases) {
    TraverseTyped typed = WorkedTraverse();
    typed.rows[static_cast<std::size_t>(c.row)][c.column] = QString::fromUtf8(c.typed);
    window.traverse().setTyped(typed);
    ASSERT_TRUE(settled());
    EXPECT_EQ(window.traverse().shown(), nullptr) << c.typed;
    EXPECT_EQ(window.traverse().problem(), QString::fromUtf8(c.said));
    EXPECT_TRUE(window.traverse().closures().text().contains(QString::fromUtf8(c.said)));
    EXPECT_EQ(window.traverse().tableModel().rowCount(), 0);
  }
  TraverseTyped oneLeg = WorkedTraverse();
  oneLeg.rows = {{"B", "99.0100", "225.848"}, {"C", "129.2724", ""}};
  window.traverse().setTyped(oneLeg);
  ASSERT_TRUE(settled());
  EXPECT_EQ(window.traverse().shown(), nullptr);
  EXPECT_FALSE(window.traverse().problem().isEmpty());
}

// Published: 421.326 -> 425.062 over 6, 5, 5 and 4 stations, fh +30 mm
// within ±12√20 = ±53.7 mm. The running total gives -9, -8, -7, -6 mm.
TEST_F(ControlWindowTest, WorkedLevellingLineComesOutWithItsClosure) {
  window.showTab(CControlWindow::Tab::kLevel);
  window.level().setTyped(WorkedLevel());
  ASSERT_TRUE(settled());
  ASSERT_NE(window.level().shown(), nullptr) << window.level().problem().toStdString();
  const CTextTableModel& model = window.level().tableModel();
  ASSERT_EQ(model.rowCount(), 5);
  EXPECT_EQ(row(model, 0), QStringList({"BMA", "-", "-", "-", "-", "421.326"}));
  EXPECT_EQ(row(model, 1), QStringList({"1", "6", "0.152", "-9", "0.143", "421.469"}));
  EXPECT_EQ(row(model, 2), QStringList({"2", "5", "-0.325", "-8", "-0.333", "421.136"}));
  EXPECT_EQ(row(model, 3), QStringList({"3", "5", "1.428", "-7", "1.421", "422.557"}));
  EXPECT_EQ(row(model, 4), QStringList({"BMB", "4", "2.511", "-6", "2.505", "425.062"}));
  const QString closures = window.level().closures().text();
  EXPECT_TRUE(closures.contains("fh = 30.0 mm，限差 ±53.7 mm")) << closures.toStdString();
  EXPECT_FALSE(closures.contains("超限"));
  // 四等 by stations: ±6√20 = ±26.8 mm, exceeded.
  LevelTyped fourth = WorkedLevel();
  fourth.grade = QStringLiteral("四等");
  window.level().setTyped(fourth);
  ASSERT_TRUE(settled());
  EXPECT_TRUE(window.level().closures().text().contains("超限"));
  EXPECT_EQ(window.level().tableModel().rowCount(), 5);
}

// Closed on one benchmark, and out and back to a turning point.
TEST_F(ControlWindowTest, ClosedAndOutAndBackLinesShareTheirClosure) {
  LevelTyped closed;
  closed.kind = survey::LevelKind::kClosed;
  closed.startName = QStringLiteral("BM1");
  closed.startHeight = QStringLiteral("50.000");
  closed.rows = {{"A", "1.234", "0.4"}, {"B", "-0.500", "0.4"}, {"BM1", "-0.722", "0.2"}};
  window.level().setTyped(closed);
  ASSERT_TRUE(settled());
  ASSERT_NE(window.level().shown(), nullptr) << window.level().problem().toStdString();
  // fh = +12 mm over 1 km, shared 4.8, 4.8, 2.4: running -5, -10, -12.
  EXPECT_EQ(cell(window.level().tableModel(), "A", 5), "51.229");
  EXPECT_EQ(cell(window.level().tableModel(), "B", 5), "50.724");
  EXPECT_TRUE(window.level().closures().text().contains("fh = 12.0 mm，限差 ±40.0 mm"));

  LevelTyped spur;
  spur.kind = survey::LevelKind::kOutAndBack;
  spur.startName = QStringLiteral("BM1");
  spur.startHeight = QStringLiteral("50.000");
  spur.endName = QStringLiteral("P");
  spur.rows = {{"T1", "1.000", "0.5"}, {"P", "0.500", "0.5"}, {"T2", "-0.700", "0.6"},
               {"BM1", "-0.790", "0.6"}};
  window.level().setTyped(spur);
  ASSERT_TRUE(settled());
  ASSERT_NE(window.level().shown(), nullptr) << window.level().problem().toStdString();
  // fh = 1.500 - 1.490 = +10 mm; the run out takes -5: P at 51.495.
  EXPECT_EQ(cell(window.level().tableModel(), "P", 5), "51.495");
  EXPECT_TRUE(window.level().closures().text().contains("fh = 10.0 mm"));
  spur.endName = QStringLiteral("Q");
  window.level().setTyped(spur);
  ASSERT_TRUE(settled());
  EXPECT_EQ(window.level().problem(), "支水准：没有一行到终点 Q（往测到此为止）");
}

// The lines corvane-calc writes for `args` and the rows of `input`,
// comment lines left out.
QStringList ToolLines(const QStringList& args, const QString& input) {
  QProcess tool;
  tool.setStandardInputFile(input);
  tool.start(QStringLiteral(CORVANE_CALC), args);
  if (!tool.waitForFinished(20000)) return {QStringLiteral("(the tool did not finish)")};
  QStringList lines;
  for (const QString& line : QString::fromUtf8(tool.readAllStandardOutput()).split('\n'))
    if (!line.isEmpty() && !line.startsWith('#')) lines.push_back(line);
  return lines;
}

QStringList WindowLines(const CTextTableModel& model) {
  QStringList lines;
  for (const QStringList& cells : model.table().rows) lines.push_back(cells.join(' '));
  return lines;
}

// The window's table is the tool's for the same rows, to the character:
// both read and write through the one reader.
TEST_F(ControlWindowTest, TablesAreCorvaneCalcsToTheCharacter) {
  const QString docs = QStringLiteral(CORVANE_DOCS);
  TraverseTyped rigorous = WorkedTraverse();
  rigorous.rigorous = true;
  for (const TraverseTyped& typed : {WorkedTraverse(), rigorous}) {
    window.traverse().setTyped(typed);
    ASSERT_TRUE(settled());
    QStringList args = {"traverse",     "--control",     docs + "/control.dat", "--start", "B",
                        "--start-azimuth", "237.5930", "--end",  "C", "--end-azimuth",
                        "46.4524"};
    if (typed.rigorous) args.insert(1, "--rigorous");
    QStringList tool = ToolLines(args, docs + "/traverse.txt");
    ASSERT_FALSE(tool.isEmpty());
    ASSERT_TRUE(tool.back().startsWith("CLOSURE")) << tool.back().toStdString();
    tool.removeLast();
    EXPECT_EQ(WindowLines(window.traverse().tableModel()), tool) << typed.rigorous;
  }
  window.level().setTyped(WorkedLevel());
  ASSERT_TRUE(settled());
  QStringList tool = ToolLines({"level", "--control", docs + "/benchmarks.dat", "--start", "BMA",
                                "--end", "BMB", "--by-stations"},
                               docs + "/level.txt");
  ASSERT_FALSE(tool.isEmpty());
  tool.removeLast();
  EXPECT_EQ(WindowLines(window.level().tableModel()), tool);
}

}  // namespace
