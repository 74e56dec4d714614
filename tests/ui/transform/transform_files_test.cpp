// The 坐标转换 window's files: the PDF states the parameters, the
// ellipsoid, the zone and every residual (read back with poppler's
// pdftotext); the CSV starts with a byte-order mark; CASS .dat is
// 点名,编码,Y,X,高程 in GB18030.

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
#include "ui/transform/transform_command.h"
#include "ui/transform/transform_model.h"
#include "ui/transform/transform_panel.h"
#include "ui/transform/transform_window.h"

namespace {

class TransformFilesTest : public testing::Test {
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

  void show(int tab, const QString& points, const QString& common = {}) {
    window->tabs().setCurrentIndex(tab);
    CTransformPanel& panel = window->currentPanel();
    panel.pointsEditor().setPlainText(points);
    if (panel.commonEditor()) panel.commonEditor()->setPlainText(common);
    window->recompute();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->jobs().allEnded(); }));
  }
  QByteArray written(const QString& name, const char* suffix) {
    const QString path = folder.filePath(name);
    EXPECT_EQ(window->exportFile(path, QLatin1String(suffix)), QString());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  QTemporaryDir folder;
  QPointer<CTransformWindow> window;
};

TEST_F(TransformFilesTest, FitSheetStatesParametersAndEveryResidual) {
  window->tabs().setCurrentIndex(1);
  window->currentPanel().findChild<QLineEdit*>(QStringLiteral("fitLimit"))->setText("12");
  show(1, QStringLiteral("P 500 500\n"),
       QStringLiteral("A 0 0 100 -50\nB 1000 0 1100 -50\nC 0 1000 100 950\nD 1000 1000 1100.030 950\n"));
  written(QStringLiteral("fit.pdf"), "pdf");
  const QString text = PdfText(folder.filePath(QStringLiteral("fit.pdf")), true);
  EXPECT_TRUE(text.contains("坐标转换 四参数")) << text.toStdString();
  EXPECT_TRUE(text.contains("参与 4 点（共 4 点），限差 12 mm，单位权中误差 ±10.6 mm")) << text.toStdString();
  EXPECT_TRUE(text.contains("ΔX = 100.0000 m")) << text.toStdString();
  EXPECT_TRUE(text.contains("θ 顺时针为正")) << text.toStdString();
  EXPECT_TRUE(text.contains("公共点残差")) << text.toStdString();
  EXPECT_TRUE(text.contains("D -15.0 -0.0 15.0 参与 超限")) << text.toStdString();
  EXPECT_TRUE(text.contains("B 7.5 -7.5 10.6 参与")) << text.toStdString();
  EXPECT_TRUE(text.contains("转换结果 点名 X Y P 600.0075 450.0000")) << text.toStdString();
  ExpectEmbeddedFaces(folder.filePath(QStringLiteral("fit.pdf")));
}

TEST_F(TransformFilesTest, ProjectionSheetStatesEllipsoidAndZone) {
  window->tabs().setCurrentIndex(2);
  window->currentPanel().findChild<QLineEdit*>(QStringLiteral("projectZone"))->setText("38");
  show(2, QStringLiteral("P1 30.3 114.2\n"));
  written(QStringLiteral("gk.pdf"), "pdf");
  const QString text = PdfText(folder.filePath(QStringLiteral("gk.pdf")), true);
  EXPECT_TRUE(text.contains("椭球 CGCS2000（a = 6378137 m，1/f = 298.257222101）")) << text.toStdString();
  EXPECT_TRUE(text.contains("3° 带，第 38 带，中央子午线 114°00′00″，东偏 500000 m")) << text.toStdString();
  EXPECT_TRUE(text.contains("P1 3375588.9766 531999.7306")) << text.toStdString();
}

// A zone change states both sides: 6° zone 20 to the 3° zone 39.
TEST_F(TransformFilesTest, ZoneChangeSheetStatesBothProjections) {
  window->tabs().setCurrentIndex(3);
  CTransformPanel& panel = window->currentPanel();
  panel.findChild<QComboBox*>(QStringLiteral("fromWidth"))->setCurrentIndex(1);
  panel.findChild<QLineEdit*>(QStringLiteral("fromZone"))->setText("20");
  panel.findChild<QLineEdit*>(QStringLiteral("toZone"))->setText("39");
  show(3, QStringLiteral("P1 3375588.9766 531999.7306\n"));
  written(QStringLiteral("rezone.pdf"), "pdf");
  const QString text = PdfText(folder.filePath(QStringLiteral("rezone.pdf")), true);
  EXPECT_TRUE(text.contains("原坐标系：6° 带，第 20 带，中央子午线 117°00′00″")) << text.toStdString();
  EXPECT_TRUE(text.contains("新坐标系：3° 带，第 39 带，中央子午线 117°00′00″")) << text.toStdString();
  EXPECT_TRUE(text.contains("P1 3375588.9766 531999.7306")) << text.toStdString();
}

// corvane --transform with an argument it does not take says so and ends
// with 2, as the tool does.
TEST(TransformCommand, ABadArgumentEndsWithTwo) {
  EXPECT_EQ(run(QStringLiteral(CORVANE_PROGRAM), {"--transform", "--bogus"}).status, 2);
  EXPECT_EQ(TransformTabOf(QStringLiteral("rezone")), 3);
  EXPECT_EQ(TransformTabOf(QStringLiteral("setout")), -1);
}

TEST_F(TransformFilesTest, CsvHasAByteOrderMarkAndCassDatIsGb18030) {
  show(2, QStringLiteral("点1 30.3 114.2\nP2 95 114\n"));
  const QByteArray csv = written(QStringLiteral("gk.csv"), "csv");
  EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF" "# project ")) << csv.toStdString();
  EXPECT_TRUE(csv.contains("\nNAME,X,Y,CONVERGENCE,SCALE\n"
                           "点1,3375588.9766,531999.7306,0.10090512,1.0000126268\nERROR: "))
      << csv.toStdString();
  const QByteArray dat = written(QStringLiteral("gk.dat"), "dat");
  EXPECT_EQ(dat, QByteArray("\xB5\xE3" "1,,531999.7306,3375588.9766,\r\n"));
}

// A big file is read off the interface thread: 取消 leaves the points as
// they were; read to its end, its rows are all answered.
TEST_F(TransformFilesTest, ABigFileIsReadInTheBackgroundAndCancelled) {
  const QString path = folder.filePath(QStringLiteral("big.csv"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  for (int row = 0; row < 200000; ++row) file.write(QStringLiteral("P%1,%2,20\n").arg(row).arg(row).toUtf8());
  file.close();
  window->tabs().setCurrentIndex(0);
  CTransformPanel& panel = window->currentPanel();
  panel.pointsEditor().setPlainText(QStringLiteral("A,1,2"));
  window->openPoints(path);
  ASSERT_TRUE(window->jobs().busy());
  window->jobs().cancel();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->jobs().allEnded(); }));
  EXPECT_EQ(panel.pointsEditor().toPlainText(), "A,1,2");
  window->openPoints(path);
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.pointsModel().rowCount() == 200000; }, 60000));
  EXPECT_EQ(panel.pointsModel().text(199999, 1), "199999.0000");
}

}  // namespace
