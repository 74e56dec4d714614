// The 坐标转换 window as a user meets it, offscreen: the worked cases typed
// into each tab and read back from its tables, answers that follow the
// keys, four parameters from common points with their residuals, a point
// left out and one over the limit, rows and fields that do not read, the
// converted points sent to a 放样表, and the window opened from the
// calculator's window menu.

#include "ui/transform/transform_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "res/resource.h"
#include "tests/ui/common/message_catcher.h"
#include "ui/calc/calc_dialog.h"
#include "ui/common/job_runner.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/station_panel.h"
#include "ui/transform/transform_model.h"
#include "ui/transform/transform_panel.h"

namespace {

class TransformWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window = new CTransformWindow;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    decimals(4);  // the window remembers the user's; each test starts from the defaults
    window->findChild<QSpinBox*>(QStringLiteral("angleDecimals"))->setValue(4);
  }
  void TearDown() override { delete window.data(); }

  CTransformPanel& open(int tab) {
    window->tabs().setCurrentIndex(tab);
    return window->currentPanel();
  }
  template <typename Widget = QLineEdit>
  Widget* find(const char* name) const {
    return window->currentPanel().findChild<Widget*>(QString::fromLatin1(name));
  }
  void type(const char* name, const QString& typed) const {
    QLineEdit* edit = find(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, typed);
  }
  void choose(const char* name, int index) const { find<QComboBox>(name)->setCurrentIndex(index); }
  void decimals(int lengths) const {
    window->findChild<QSpinBox*>(QStringLiteral("decimals"))->setValue(lengths);
  }
  // Puts `rows` into the points box (or the common points'), as pasted,
  // then waits for the answer that follows.
  void typePoints(const QString& rows, bool common = false) const {
    CTransformPanel& panel = window->currentPanel();
    (common ? panel.commonEditor() : &panel.pointsEditor())->setPlainText(rows);
    settle();
  }
  // Waits for the answer to what is shown now.
  void settle() const {
    window->recompute();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->jobs().allEnded(); }));
  }
  static QString row(const CTransformModel& model, int at) {
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column) cells << model.text(at, column);
    return cells.join(' ');
  }

  QPointer<CTransformWindow> window;
};

// CGCS2000, 30°30′ N 114°20′ E: zone 38 from the longitude, with and without
// the zone number; on 117°; and back to the latitude and longitude.
TEST_F(TransformWindowTest, GaussKrugerWorkedCasesBothWays) {
  CTransformPanel& panel = open(2);
  typePoints(QStringLiteral("P1 30.3000 114.2000"));
  ASSERT_EQ(panel.pointsModel().rowCount(), 1);
  EXPECT_EQ(row(panel.pointsModel(), 0), "P1 3375588.9766 531999.7306 0.10090512 1.0000126268");
  find<QCheckBox>("projectPrefix")->setChecked(true);
  settle();
  EXPECT_EQ(panel.pointsModel().text(0, 2), "38531999.7306");
  find<QCheckBox>("projectPrefix")->setChecked(false);
  type("projectMeridian", QStringLiteral("117"));
  settle();
  EXPECT_EQ(panel.pointsModel().text(0, 1), "3378567.2079");
  EXPECT_EQ(panel.pointsModel().text(0, 2), "243957.7165");

  choose("projectWay", 1);
  find("projectMeridian")->clear();
  type("projectZone", QStringLiteral("38"));
  typePoints(QStringLiteral("P1 3375588.9766 531999.7306"));
  EXPECT_EQ(row(panel.pointsModel(), 0), "P1 30.30000000 114.20000000");
}

// The published set, θ with this program's sign (clockwise positive:
// +1.244048″ where the set's convention writes −1.244048″).
TEST_F(TransformWindowTest, FourParametersTypedConvertThePublishedPoint) {
  CTransformPanel& panel = open(1);
  decimals(3);
  choose("fitSource", 1);
  type("fitDx", QStringLiteral("-9597.3572"));
  type("fitDy", QStringLiteral("0.6112"));
  type("fitTheta", QStringLiteral("0.0001244048"));
  type("fitScale", QStringLiteral("0.304794780637"));
  typePoints(QStringLiteral("Q 2546506.957 542256.609"));
  EXPECT_EQ(row(panel.pointsModel(), 0), "Q 766563.675 165282.277");
  // Back from the target's millimetres, which the scale of 0.3 makes 3.3 mm
  // at the source: (2546506.956023, 542256.610103).
  choose("fitWay", 1);
  typePoints(QStringLiteral("Q 766563.675 165282.277"));
  EXPECT_EQ(row(panel.pointsModel(), 0), "Q 2546506.956 542256.610");
}

// The origin and a point of the A axis give α = 125°12′09.87″ (shown to
// the second); P is then A 14.771, B −8.691; A 100, B 20 is (2824639.1905,
// 352452.4503).
TEST_F(TransformWindowTest, ConstructionGridFromTwoPointsBothWays) {
  CTransformPanel& panel = open(0);
  decimals(3);
  type("gridX0", QStringLiteral("2824713.180"));
  type("gridY0", QStringLiteral("352382.268"));
  type("gridX1", QStringLiteral("2824602.670"));
  type("gridY1", QStringLiteral("352538.910"));
  choose("gridWay", 1);
  typePoints(QStringLiteral("P,2824711.766,352399.348"));
  EXPECT_EQ(find("gridAzimuth")->text(), "125.1210");
  EXPECT_EQ(row(panel.pointsModel(), 0), "P 14.771 -8.691");
  choose("gridWay", 0);
  decimals(4);
  typePoints(QStringLiteral("P 100 20"));
  EXPECT_EQ(row(panel.pointsModel(), 0), "P 2824639.1905 352452.4503");
}

// Without Enter or a click: the table follows the keys a moment after the last.
TEST_F(TransformWindowTest, AnswersFollowTheKeysTyped) {
  CTransformPanel& panel = open(2);
  panel.pointsEditor().setFocus();
  QTest::keyClicks(&panel.pointsEditor(), QStringLiteral("P1 30.3 114.2"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.pointsModel().rowCount() == 1; }));
  EXPECT_EQ(panel.pointsModel().text(0, 1), "3375588.9766");
}

// Four common points, the last 30 mm off in X: least squares spreads it
// (hand-computed: vX 0, +7.5, +7.5, −15.0; σ0 ±10.6 mm); with a limit of
// 12 mm the last is over it. Left out, the three others fit exactly and it
// keeps its residual, −30.0 mm.
TEST_F(TransformWindowTest, CommonPointsResidualsLimitAndLeavingOneOut) {
  CTransformPanel& panel = open(1);
  type("fitLimit", QStringLiteral("12"));
  typePoints(QStringLiteral("A 0 0 100 -50\nB 1000 0 1100 -50\nC 0 1000 100 950\n"
                            "D 1000 1000 1100.030 950\n"),
             true);
  CTransformModel& common = *panel.commonModel();
  ASSERT_EQ(common.rowCount(), 4);
  EXPECT_EQ(row(common, 0), "A -0.0 0.0 0.0 ");  // as the tool writes it
  EXPECT_EQ(row(common, 1), "B 7.5 -7.5 10.6 ");
  EXPECT_EQ(row(common, 2), "C 7.5 7.5 10.6 ");
  EXPECT_EQ(row(common, 3), "D -15.0 -0.0 15.0 ");
  EXPECT_EQ(common.index(3, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(200, 0, 0));
  EXPECT_FALSE(common.index(2, 1).data(Qt::ForegroundRole).isValid());
  EXPECT_EQ(panel.problemLine().text(), "参与 4 点，单位权中误差 ±10.6 mm，1 点超限");

  ASSERT_TRUE(common.setData(common.index(3, 4), Qt::Unchecked, Qt::CheckStateRole));
  settle();
  CTransformModel& refit = *panel.commonModel();
  EXPECT_EQ(row(refit, 1), "B 0.0 0.0 0.0 ");
  EXPECT_EQ(row(refit, 3), "D -30.0 0.0 30.0 ");
  EXPECT_EQ(refit.index(3, 4).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_EQ(find("fitDx")->text(), "100.0000");
  EXPECT_EQ(find("fitScale")->text(), "1.000000000000");
  EXPECT_EQ(panel.problemLine().text(), "参与 3 点，单位权中误差 ±0.0 mm，1 点超限");
}

// One point where two are needed, and two common points at one place: the
// fit says so in red, and no point is converted.
TEST_F(TransformWindowTest, FitsThatCannotBeMadeSaySo) {
  CTransformPanel& panel = open(1);
  typePoints(QStringLiteral("P 1 2"));
  typePoints(QStringLiteral("A 0 0 100 -50"), true);
  EXPECT_EQ(panel.problemLine().text(), "参与计算的公共点只有 1 个，至少要 2 个");
  EXPECT_EQ(panel.pointsModel().rowCount(), 0);
  typePoints(QStringLiteral("A 0 0 100 -50\nB 0 0 200 -50"), true);
  EXPECT_EQ(panel.problemLine().text(), "两个公共点位置相同，定不出旋转和尺度（第 1 点与第 2 点）");
}

// A row that does not read, or a latitude beyond the pole, fails in its
// place, in red, and the rows around it are answered; a field that does
// not read stops the job and says which.
TEST_F(TransformWindowTest, BadRowsFailInPlaceAndBadFieldsSayWhich) {
  CTransformPanel& panel = open(2);
  typePoints(QStringLiteral("P1 30.3 114.2\nP2 95 114\nP3 abc 114\n# a comment\nP4 30.3 114.2"));
  CTransformModel& model = panel.pointsModel();
  ASSERT_EQ(model.rowCount(), 4);
  EXPECT_EQ(model.text(1, 0), "第 2 行");
  EXPECT_EQ(model.text(1, 1), "P2：纬度超出 ±90°：95.000000°");
  EXPECT_EQ(model.index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(200, 0, 0));
  EXPECT_EQ(model.text(2, 0), "第 3 行");
  EXPECT_EQ(model.text(3, 1), "3375588.9766");
  type("projectZone", QStringLiteral("x"));
  settle();
  EXPECT_EQ(panel.problemLine().text(), "带号 不是数字：“x”");
}

// Zone 38 to the 117° meridian, as the worked case: the x, y of zone 38
// come out as those projected on 117° straight from the latitude and
// longitude (3378567.2079, 243957.7165).
TEST_F(TransformWindowTest, ZoneChangeGivesTheOtherMeridiansCoordinates) {
  CTransformPanel& panel = open(3);
  type("fromZone", QStringLiteral("38"));
  type("toMeridian", QStringLiteral("117"));
  typePoints(QStringLiteral("P1 3375588.976606 531999.730620"));
  EXPECT_EQ(row(panel.pointsModel(), 0), "P1 3378567.2079 243957.7165");
  find<QCheckBox>("toPrefix")->setChecked(true);  // 117° is 3° zone 39's meridian
  settle();
  EXPECT_EQ(panel.pointsModel().text(0, 2), "39243957.7165");
}

// A point left out, then renamed or deleted, no longer stops the fit: the
// names left out are those the rows still have.
TEST_F(TransformWindowTest, ALeftOutPointRenamedDoesNotStopTheFit) {
  CTransformPanel& panel = open(1);
  const QString rows = QStringLiteral("A 0 0 100 -50\nB 1000 0 1100 -50\nC 0 1000 100 950\n%1 1000 1000 1100.030 950");
  typePoints(rows.arg(QStringLiteral("D")), true);
  ASSERT_TRUE(panel.commonModel()->setData(panel.commonModel()->index(3, 4), Qt::Unchecked,
                                           Qt::CheckStateRole));
  settle();
  EXPECT_EQ(panel.problemLine().text(), "参与 3 点，单位权中误差 ±0.0 mm，1 点超限");
  typePoints(rows.arg(QStringLiteral("E")), true);
  EXPECT_EQ(row(*panel.commonModel(), 3), "E -15.0 -0.0 15.0 ");
  EXPECT_EQ(panel.problemLine().text(), "参与 4 点，单位权中误差 ±10.6 mm");
}

// Fields that do not read say which and why, and no answer is shown for
// them: minutes or seconds of 60, a scale that is no scale.
TEST_F(TransformWindowTest, ParametersThatAreNoneSayWhy) {
  CTransformPanel& panel = open(1);
  choose("fitSource", 1);
  type("fitTheta", QStringLiteral("0.0060"));
  typePoints(QStringLiteral("Q 1 2"));
  EXPECT_EQ(panel.problemLine().text(), "旋转 θ 不是度.分秒：“0.0060”（分、秒须小于 60）");
  type("fitTheta", QStringLiteral("-0.0001"));
  type("fitScale", QStringLiteral("0"));
  settle();
  EXPECT_EQ(panel.problemLine().text(), "尺度须大于 0：0.000000000");
  EXPECT_EQ(panel.pointsModel().rowCount(), 0);
  type("fitScale", QStringLiteral("1"));
  settle();
  EXPECT_EQ(panel.problemLine().text(), "");
  EXPECT_EQ(row(panel.pointsModel(), 0), "Q 1.0000 2.0000");  // 1″ turns 2 m by 0.01 mm
}

// The converted points become the design points of a 放样表 of their own;
// latitudes and longitudes do not.
TEST_F(TransformWindowTest, ConvertedPointsGoToASetoutSheet) {
  open(2);
  typePoints(QStringLiteral("P1 30.3 114.2\nP2 30.31 114.21"));
  QPointer<CSetoutWindow> sheet = window->sendToSheet();
  ASSERT_TRUE(sheet);
  sheet->panel().showSetup(
      reading::StationAndBacksight{reading::PointName{"P1"}, reading::PointName{"P2"}});
  emit sheet->panel().changed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->sheet() != nullptr; }));
  EXPECT_EQ(sheet->windowTitle(), "放样表 - 高斯投影 转换点");
  const SheetRows& rows = sheet->sheet()->rows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows.field(1, SheetRows::kName), "P2");
  EXPECT_NEAR(rows.point(0).x, 3375588.9766064715, 1e-6);  // TransverseMercatorProj's
  EXPECT_NEAR(rows.point(0).y, 531999.7306200502, 1e-6);
  sheet->close();
  choose("projectWay", 1);
  MessageCatcher catcher;
  EXPECT_EQ(window->sendToSheet(), nullptr);
  EXPECT_EQ(catcher.wait(), "这些结果是经纬度，不是平面坐标，不能送到放样表。");
}

// The calculator's window menu opens one 坐标转换 window, and again the same.
TEST(TransformFromCalculator, TheWindowMenuOpensOneWindow) {
  CCalcDialog calc;
  calc.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  const auto windows = [] {
    QList<CTransformWindow*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* transform = qobject_cast<CTransformWindow*>(window)) found << transform;
    return found;
  };
  calc.OnSysCommand(IDM_TRANSFORM);
  ASSERT_EQ(windows().size(), 1);
  QPointer<CTransformWindow> window = windows().front();
  calc.OnSysCommand(IDM_TRANSFORM);
  EXPECT_EQ(windows().size(), 1);
  EXPECT_EQ(window->tabs().count(), 4);
  EXPECT_EQ(window->tabs().tabText(3), "换带");
  delete window.data();
}

}  // namespace
