// The 坐标转换 window's answers are corvane-calc's to the character: for
// each job the same rows and options, the window's CSV (without its
// byte-order mark) against what the tool writes with --header.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "tests/ui/common/program_run.h"
#include "ui/common/job_runner.h"
#include "ui/transform/transform_panel.h"
#include "ui/transform/transform_window.h"

namespace {

class TransformCalcTest : public testing::Test {
 protected:
  void SetUp() override {
    window = new CTransformWindow;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_TRUE(folder.isValid());
    window->findChild<QSpinBox*>(QStringLiteral("decimals"))->setValue(4);
    window->findChild<QSpinBox*>(QStringLiteral("angleDecimals"))->setValue(4);
  }
  void TearDown() override { delete window.data(); }

  CTransformPanel& open(int tab) {
    window->tabs().setCurrentIndex(tab);
    return window->currentPanel();
  }
  void set(const char* name, const QString& text) {
    window->currentPanel().findChild<QLineEdit*>(QLatin1String(name))->setText(text);
  }
  void choose(const char* name, int index) {
    window->currentPanel().findChild<QComboBox*>(QLatin1String(name))->setCurrentIndex(index);
  }
  // The window's CSV of `rows` against corvane-calc's output for them.
  void expectTheTools(const QString& rows, const QStringList& options, bool common = false) {
    CTransformPanel& panel = window->currentPanel();
    (common ? panel.commonEditor() : &panel.pointsEditor())->setPlainText(rows);
    const QString csv = folder.filePath(QStringLiteral("window.csv"));
    ASSERT_EQ(window->exportFile(csv, QStringLiteral("csv")), QString());
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    ASSERT_TRUE(written.startsWith("\xEF\xBB\xBF"));
    const QString input = folder.filePath(QStringLiteral("rows.csv"));
    QFile rowsFile(input);
    ASSERT_TRUE(rowsFile.open(QIODevice::WriteOnly));
    rowsFile.write(rows.toUtf8());
    rowsFile.close();
    const Finished tool = run(QStringLiteral(CORVANE_CALC),
                              options + QStringList{"--decimals", "4", "--azimuth-decimals", "4",
                                                    "--header", "-i", input});
    EXPECT_EQ(QString::fromUtf8(written.mid(3)).toStdString(), tool.out.toStdString());
    EXPECT_FALSE(tool.out.isEmpty());
  }

  QTemporaryDir folder;
  QPointer<CTransformWindow> window;
};

TEST_F(TransformCalcTest, ConstructionGridBothWays) {
  open(0);
  set("gridX0", QStringLiteral("2824713.180"));
  set("gridY0", QStringLiteral("352382.268"));
  set("gridAzimuth", QStringLiteral("125.120987"));
  expectTheTools(QStringLiteral("P,14.771,-8.691\nQ,100,0\n# end\nR,x,1\n"),
                 {"grid", "--origin", "2824713.180,352382.268", "--azimuth", "125.120987"});
  choose("gridWay", 1);
  set("gridX1", QStringLiteral("2824602.670"));
  set("gridY1", QStringLiteral("352538.910"));
  expectTheTools(QStringLiteral("P,2824711.766,352399.348\n"),
                 {"grid", "--inverse", "--origin", "2824713.180,352382.268", "--axis-point",
                  "2824602.670,352538.910"});
}

TEST_F(TransformCalcTest, FourParametersFittedWithAPointLeftOutAndApplied) {
  open(1);
  set("fitLimit", QStringLiteral("12"));
  const QString common = QStringLiteral(
      "NAME,x,y,X,Y\nA,0,0,100,-50\nB,1000,0,1100,-50\nC,0,1000,100,950\nD,1000,1000,1100.030,950\n");
  expectTheTools(common, {"fourparam", "--limit", "12"}, true);
  choose("fitSource", 1);
  set("fitDx", QStringLiteral("-9597.3572"));
  set("fitDy", QStringLiteral("0.6112"));
  set("fitTheta", QStringLiteral("0.0001244048"));
  set("fitScale", QStringLiteral("0.304794780637"));
  expectTheTools(QStringLiteral("Q,2546506.957,542256.609\n"),
                 {"fourparam", "--apply", "-9597.3572,0.6112,0.0001244048,0.304794780637"});
}

TEST_F(TransformCalcTest, ProjectionBothWaysAndZoneChange) {
  open(2);
  set("projectZone", QStringLiteral("38"));
  window->currentPanel().findChild<QCheckBox*>(QStringLiteral("projectPrefix"))->setChecked(true);
  expectTheTools(QStringLiteral("P1,30.3,114.2\nP2,95,114\nP3,30.3,125\n"),
                 {"project", "--zone", "38", "--zone-prefix"});
  choose("projectWay", 1);
  expectTheTools(QStringLiteral("P1,3375588.9766,38531999.7306\n"),
                 {"project", "--inverse", "--zone", "38", "--zone-prefix"});
  open(3);
  set("fromZone", QStringLiteral("38"));
  set("toZone", QStringLiteral("39"));
  expectTheTools(QStringLiteral("P1,3375588.9766,531999.7306\n"),
                 {"rezone", "--from-zone", "38", "--to-zone", "39"});
}

}  // namespace
