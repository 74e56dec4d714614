// The 线路 window as a user meets it, offscreen: the textbook's JD table
// read into the curve table, single points computed both ways as
// corvane-calc computes them, stakes listed and handed to a 放样表, a
// design that cannot be built, and the windows beside the modal calculator
// and after it.

#include "ui/road/road_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "res/resource.h"
#include "tests/ui/common/message_catcher.h"
#include "tests/ui/road/road_files.h"
#include "ui/calc/calc_dialog.h"
#include "ui/road/point_panel.h"
#include "ui/road/road_models.h"
#include "ui/road/road_plan.h"
#include "ui/road/stake_panel.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/station_panel.h"

namespace {

class RoadWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window = new CRoadWindow;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_TRUE(window->load(files.request(), {3, 4}));
  }
  void TearDown() override { delete window.data(); }

  QString text(const char* name) const {
    if (auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name))) return edit->text();
    return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  void type(const char* name, const QString& typed) const {
    auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, typed);
  }
  QStringList row(const CTextTableModel& model, int at) const {
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
      cells << model.index(at, column).data().toString();
    return cells;
  }

  RoadFiles files;
  QPointer<CRoadWindow> window;
};

// The tool's texts, but for 转角, which reads as a curve table prints it:
// its side in words, its size in degrees, minutes and seconds.
TEST_F(RoadWindowTest, TheCurveTableAndMainPointsAreTheToolsTexts) {
  const CTextTableModel& curves = window->curveModel();
  ASSERT_EQ(curves.rowCount(), 6);
  EXPECT_EQ(curves.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "转角 α");
  EXPECT_EQ(row(curves, 0).join(',').toStdString(), "PSta,437.580,168.790,,,,,,,,,,K0+000.000,,,,,");
  EXPECT_EQ(row(curves, 1).join(' '),
            "JD1 608.220 314.430 左 78°20′44″ 110.000 55.000 55.000 118.001 118.001 205.412 "
            "33.365 30.590 K0+224.341 K0+106.340 K0+161.340 K0+209.047 K0+256.753 K0+311.753");
  EXPECT_EQ(row(curves, 2).value(3), "右 79°43′33″");
  EXPECT_EQ(row(curves, 4).join(',').toStdString(),
            "JD4,850.670,523.550,左 29°16′11″,350.000,0.000,0.000,91.396,91.396,178.799,11.736,"
            "3.993,K0+854.208,K0+762.812,K0+762.812,K0+852.212,K0+941.611,K0+941.611");
  EXPECT_EQ(row(curves, 5).join(',').toStdString(),
            "PEnd,852.110,723.550,,,,,,,,,,K1+050.220,,,,,");
  EXPECT_EQ(row(window->mainPointModel(), 2).join(' '), "HY K0+161.340 563.001 269.837 26.0924");

  // An element table has no curve table: its tab is off, its main points show.
  reading::RoadRequest elements;
  elements.table = reading::RoadRequest::Table::kElements;
  elements.path = files.elements.toStdString();
  ASSERT_TRUE(window->load(elements, {3, 4}));
  auto* tabs = window->findChild<QTabWidget*>();
  EXPECT_FALSE(tabs->isTabEnabled(0));
  EXPECT_EQ(row(window->mainPointModel(), 4).join(' '), "HZ K0+311.753 701.377 242.001 322.0806");
  EXPECT_EQ(window->windowTitle(), "线路 - elements.csv");
}

// What `corvane-calc stake --alignment jd.csv --profile profile.csv
// --decimals 3 --azimuth-decimals 4 K0+209.046536 -10` and `locate ...
// 707.515 249.895` write.
TEST_F(RoadWindowTest, PointsComputeBothWaysAsTheToolDoes) {
  type("chainage", QStringLiteral("K0+209.046536"));
  type("offset", QStringLiteral("-10"));
  QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("offset")), Qt::Key_Return);
  EXPECT_EQ(QStringList({text("north"), text("east"), text("azimuth"), text("height")}).join(' '),
            "609.210 271.076 1.1828 104.181");
  EXPECT_TRUE(window->plan().marks().forward.has_value());

  type("x", QStringLiteral("707.515"));
  type("y", QStringLiteral("249.895"));
  window->findChild<QPushButton*>(QStringLiteral("computeInverse"))->click();
  EXPECT_EQ(
      QStringList({text("located"), text("locatedText"), text("across"), text("locatedHeight")})
          .join(' '),
      "311.753 K0+311.753 10.000 106.235");

  // A decimal more: the same points written again, as --decimals 4 writes
  // them.
  window->findChild<QSpinBox*>(QStringLiteral("lengthDecimals"))->setValue(4);
  EXPECT_EQ(text("north"), "609.2097");
  EXPECT_EQ(text("across"), "9.9997");
  // Angles as the instrument shows them: --angle-format dms.
  window->findChild<QComboBox*>(QStringLiteral("angleFormat"))->setCurrentIndex(1);
  EXPECT_EQ(text("azimuth"), "1°18′28″");
}

TEST_F(RoadWindowTest, TabReachesEveryFieldTheTablesAndThePlan) {
  QWidget* first = window->centralWidget()->nextInFocusChain();
  first->setFocus(Qt::TabFocusReason);
  QSet<QWidget*> reached;
  for (int press = 0; press < 60 && !reached.contains(QApplication::focusWidget()); ++press) {
    reached.insert(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_TRUE(reached.contains(&window->stakeTable()) ||
              reached.contains(window->findChild<QTableView*>(QStringLiteral("curveTable"))));
  EXPECT_TRUE(reached.contains(&window->plan()));
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (control->isVisible() && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus) &&
        !control->focusProxy()) {
      EXPECT_TRUE(reached.contains(control))
          << control->metaObject()->className() << " " << control->objectName().toStdString();
    }
  }
}

TEST_F(RoadWindowTest, WhatIsWrongWithAPointNamesItsField) {
  const struct {
    const char* chainage;
    const char* offset;
    const char* problem;
  } forward[] = {
      {"K0-120", "", "桩号不是桩号：K0-120（可写 1234.567 或 K1+234.567）"},
      {"K1+100", "", "桩号 K1+100.000 不在线路上（K0+000.000 至 K1+050.220）"},
      {"120", "10,5", "偏距不是数字：10,5（小数点请用“.”）"},
  };
  for (const auto& c : forward) {
    type("chainage", QString::fromUtf8(c.chainage));
    type("offset", QString::fromUtf8(c.offset));
    window->pointPanel().OnForward();
    EXPECT_EQ(text("forwardProblem"), QString::fromUtf8(c.problem));
    EXPECT_EQ(text("north"), "");
  }
  type("x", QStringLiteral("2000"));
  type("y", QStringLiteral("2000"));
  window->pointPanel().OnInverse();
  EXPECT_EQ(text("inverseProblem"), "该点不在任何线元旁（在起点之前、终点之后或曲线圆心以外）");
}

// The stakes every 20 m and 10 m left and right become the design points of
// a 放样表 of their own, with their design heights.
TEST_F(RoadWindowTest, StakesGoToASetoutSheetWithTheirHeights) {
  window->generate(20, {-10, 10});
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->stakes() != nullptr; }));
  EXPECT_EQ(window->stakes()->size(), 216u);
  const CStakeModel& model = window->stakeModel();
  QStringList qz;
  for (int column = 0; column < model.columnCount(); ++column)
    qz << model.index(40, column).data().toString();
  EXPECT_EQ(qz.join(' '), "K0+209.047 QZ L10 209.047 -10.000 609.210 271.076 1.1828 104.181");

  QPointer<CSetoutWindow> sheet = window->sendToSheet();
  ASSERT_TRUE(sheet);
  // Set out from two of the stakes, by their names, as a crew would.
  sheet->panel().showSetup(
      reading::StationAndBacksight{reading::PointName{"K0+000 BP"}, reading::PointName{"K0+100"}});
  emit sheet->panel().changed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->sheet() != nullptr; }));
  EXPECT_EQ(sheet->windowTitle(), "放样表 - jd 桩位");
  const SheetRows& rows = sheet->sheet()->rows;
  ASSERT_EQ(rows.size(), 216u);
  EXPECT_EQ(rows.field(40, SheetRows::kName), "K0+209.047 QZ L10");
  EXPECT_EQ(rows.field(40, SheetRows::kCode), "QZ");
  EXPECT_EQ(rows.field(40, SheetRows::kHeight), "104.181");
  EXPECT_EQ(rows.point(40).x, (*window->stakes())[40].point.x);
  EXPECT_EQ(rows.failedCount(), 1u);  // the station's own stake
  window->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
  EXPECT_TRUE(sheet->isVisible());  // the 放样表 outlives the road's window
  delete sheet.data();
}

// A profile that stops short of the road's end, and BP at K1+000.
TEST_F(RoadWindowTest, HeightsBeyondTheProfileAreNoneAndTheStartChainageMovesTheTable) {
  RoadFiles::write(files.profile, "K0+000,100\nK1+000,103\n");
  ASSERT_TRUE(window->load(files.request(), {3, 4}));
  window->generate(20, {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->stakes() != nullptr; }));
  const CStakeModel& model = window->stakeModel();
  const int last = model.rowCount() - 1;
  EXPECT_EQ(model.index(last, 0).data().toString(), "K1+050.220 EP");
  EXPECT_EQ(model.index(last, 6).data().toString(), "无");
  EXPECT_EQ(model.index(last - 3, 6).data().toString(), "103.000");  // K1+000
  type("chainage", QStringLiteral("K1+040"));
  window->pointPanel().OnForward();
  EXPECT_EQ(text("forwardProblem"), "纵断面只有 K0+000.000 至 K1+000.000，此处没有设计高程");
  EXPECT_EQ(text("north"), "852.036");
  EXPECT_EQ(text("height"), "");

  type("startChainage", QStringLiteral("K1+000"));
  QTest::keyClick(window->findChild<QLineEdit*>(QStringLiteral("startChainage")), Qt::Key_Return);
  EXPECT_EQ(window->curveModel().index(1, 13).data().toString(), "K1+106.340");
  EXPECT_EQ(text("startChainage"), "K1+000.000");
}

// Closing the window while a start chainage is typed but not entered: the
// field loses its focus as it is deleted, after the window's own part, and
// must not make the half-deleted window read the road again (the sanitizer
// build stops at such a call).
TEST_F(RoadWindowTest, ClosingWithAStartChainageBeingTypedReadsNothing) {
  type("startChainage", QStringLiteral("K0+500"));
  ASSERT_TRUE(window->findChild<QLineEdit*>(QStringLiteral("startChainage"))->hasFocus());
  delete window.data();
  EXPECT_TRUE(window.isNull());
}

// A stake list written with --header opens in the 放样表 as it is: the
// layout box takes its columns from the header row.
TEST(StakeListLayout, TheHeaderOfCorvaneCalcGivesTheColumns) {
  EXPECT_EQ(ColumnsOfTitles({"NAME", "K", "OFFSET", "X", "Y", "AZIMUTH", "H"}), "name,-,-,x,y,-,h");
  EXPECT_EQ(ColumnsOfTitles({"NAME", "CODE", "AZIMUTH", "ANGLE", "DISTANCE", "H"}), "");
  EXPECT_EQ(ColumnsOfTitles({"Name", "Code", "E", "N", "H"}), "");
  PreviewRows preview;
  preview.rows = {{"NAME", "K", "OFFSET", "X", "Y", "AZIMUTH"},
                  {"K0+000 BP", "0.000", "0.000", "437.580", "168.790", "40.2850"}};
  CColumnLayoutDialog dialog(preview, QStringLiteral("name,code,y,x,h"), PointColumnsProblem);
  EXPECT_EQ(dialog.columns(), "name,-,-,x,y,-");
}

TEST_F(RoadWindowTest, ADesignThatCannotBeBuiltNamesItsJds) {
  const QString bad = files.folder.filePath(QStringLiteral("bad.csv"));
  RoadFiles::write(bad,
                   "PSta,437.58,168.79\nJD1,608.22,314.43,110,55\nJD2,801.97,163.79,300,43\n"
                   "PEnd,852.11,723.55\n");
  reading::RoadRequest request;
  request.path = bad.toStdString();
  MessageCatcher catcher;
  EXPECT_FALSE(window->load(request, {3, 4}));
  EXPECT_EQ(catcher.wait(),
            "bad.csv 第 2 行：JD1 与 JD2 的曲线重叠 444.174 m（切线长之和大于两点间距）");
  EXPECT_EQ(window->windowTitle(), "线路 - jd.csv");  // it keeps the road it showed
}

// The calculator is application-modal; the road's window takes clicks
// beside it and outlives it.
TEST(RoadBesideCalculator, OpensFromTheWindowMenuAndOutlivesTheForm) {
  RoadFiles files;
  CCalcDialog calc;
  calc.setWindowModality(Qt::ApplicationModal);
  calc.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  const auto roads = [] {
    QList<CRoadWindow*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* road = qobject_cast<CRoadWindow*>(window)) found << road;
    return found;
  };
  calc.OnSysCommand(IDM_ROAD);
  ASSERT_EQ(roads().size(), 1);
  QPointer<CRoadWindow> road = roads().front();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(road));
  calc.OnSysCommand(IDM_ROAD);  // a second time: the same window
  EXPECT_EQ(roads().size(), 1);
  ASSERT_TRUE(road->load(files.request(), {3, 4}));
  road->generate(100, {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return road->stakes() != nullptr; }));
  // A click on a stake, through the window system, selects its row.
  CRoadPlan& plan = road->plan();
  const reading::Stake& stake = (*road->stakes())[3];
  const QPoint at =
      plan.frame().toArea(stake.point.x, stake.point.y, QRectF(plan.rect())).toPoint();
  QTest::mouseClick(road->windowHandle(), Qt::LeftButton, {}, plan.mapTo(road, at));
  EXPECT_EQ(road->stakeTable().currentIndex().row(), 3);
  EXPECT_EQ(QApplication::activeModalWidget(), &calc);

  QTest::keyClick(&calc, Qt::Key_Escape);
  EXPECT_FALSE(calc.isVisible());
  EXPECT_TRUE(road->isVisible());
  road->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return road.isNull(); }));
}

}  // namespace
