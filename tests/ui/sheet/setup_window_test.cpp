// The 放样表 set up on sightings as a user does it, offscreen: 自由设站 typed
// into the setup dialog on the worked case (the station, the orientation
// and the residuals over the limits marked), the sheet it gives equal to
// corvane-calc's from the heading's station and orientation, the setup kept
// for the next window; 多后视定向 on a station that the panel names, worked
// out again when the station changes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/ui/sheet/setup_files.h"
#include "ui/common/window_look.h"
#include "ui/sheet/point_name_box.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_csv.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sightings_dialog.h"
#include "ui/sheet/station_panel.h"

namespace {

QLabel* checkLine(const CSetoutWindow& window) {
  return window.findChild<QLabel*>(QStringLiteral("checkLine"));
}

// corvane-calc setout on the design file from a typed station and a
// backsight azimuth, decimals 3 and 4: its answer lines.
QStringList toolSheet(const SetoutFiles& files, const QString& station, const QString& azimuth,
                      const QStringList& more = {}) {
  QProcess tool;
  tool.start(QStringLiteral(CORVANE_CALC),
             QStringList{"setout", "--station", station, "--backsight-azimuth", azimuth,
                         "--columns", "name,code,y,x,h", "--decimals", "3", "--azimuth-decimals",
                         "4", "-i", files.design} +
                 more);
  tool.waitForFinished(30000);
  return QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// The window's table as the tool writes its lines (after the headings).
QStringList shownSheet(const CSetoutWindow& window) {
  QList<int> rows;
  for (int row = 0; row < window.model().rowCount(); ++row) rows << row;
  return window.model()
      .tabSeparated(rows)
      .replace('\t', ',')
      .split('\n', Qt::SkipEmptyParts)
      .mid(1);
}

// Runs `fill` on the setup dialog that 观测... opens, once it shows.
void withSetupDialog(CSetoutWindow& window, const std::function<void(CSetupDialog&)>& fill) {
  bool ran = false;
  QTimer::singleShot(0, &window, [&] {
    auto* dialog = qobject_cast<CSetupDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    ran = true;
    fill(*dialog);
  });
  QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("observe")), Qt::LeftButton);
  EXPECT_TRUE(ran);
}

class SetupWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The design file and the control points, before any setup.
    reading::SheetRequest request = files.request();
    request.setup.reset();
    window.load(request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == "放样表 - design.csv"; }));
  }

  SetupFiles files;
  CSetoutWindow window;
};

// Whatever the method, the control file sits on the method's line, and
// the rows the method hides leave no gap: the heights follow at once.
TEST_F(SetupWindowTest, ThePanelLeavesNoGapWhereTheStationRowsAreHidden) {
  auto* method = window.findChild<QComboBox*>(QStringLiteral("setupMethod"));
  ASSERT_NE(method, nullptr);
  QPushButton* control = nullptr;
  for (QPushButton* button : window.panel().findChildren<QPushButton*>())
    if (button->text() == "控制点文件(&K)...") control = button;
  ASSERT_NE(control, nullptr);
  QLineEdit* instrument = nullptr;
  for (const QLabel* label : window.panel().findChildren<QLabel*>())
    if (label->text() == "仪器高(&I):") instrument = qobject_cast<QLineEdit*>(label->buddy());
  ASSERT_NE(instrument, nullptr);
  const auto top = [&](const QWidget* widget) { return widget->mapTo(&window, QPoint()).y(); };
  for (int index = 0; index < method->count(); ++index) {
    method->setCurrentIndex(index);
    QApplication::processEvents();
    const int line = top(method);
    EXPECT_LT(std::abs(top(control) + control->height() / 2 - (line + method->height() / 2)),
              method->height() / 2)
        << index;
    // 自由设站 hides both rows, 多后视定向 the backsight's: at most the rows
    // still shown lie between the method's line and the heights.
    const int rows = index == 0 ? 2 : index == 1 ? 1 : 0;
    EXPECT_LT(top(instrument) - (line + method->height()), (rows + 1) * method->height() + 12)
        << index;
  }
}

TEST_F(SetupWindowTest, SetsUpFreeOnTheWorkedCaseAndGivesTheToolsSheet) {
  auto* method = window.findChild<QComboBox*>(QStringLiteral("setupMethod"));
  method->setCurrentIndex(2);  // 自由设站
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return checkLine(window)->text() == "请点“观测...”输入自由设站的观测"; }));

  withSetupDialog(window, [&](CSetupDialog& dialog) {
    dialog.findChild<QDoubleSpinBox*>(QStringLiteral("distanceSigmaMm"))->setValue(5.0);
    // From the keyboard: Tab from the limits goes down the rows, field by field.
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.findChild<QDoubleSpinBox*>(QStringLiteral("limitMm"))->setFocus();
    for (QWidget* next :
         {static_cast<QWidget*>(dialog.nameBox(0)), static_cast<QWidget*>(dialog.readingField(0)),
          static_cast<QWidget*>(dialog.distanceField(0)),
          static_cast<QWidget*>(dialog.nameBox(1))}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_TRUE(next->hasFocus() || next->isAncestorOf(QApplication::focusWidget()))
          << next->metaObject()->className() << " focus on "
          << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                          : "none");
    }
    const auto sightings = SetupFiles::sightings();
    for (int row = 0; row < static_cast<int>(sightings.size()); ++row) {
      QTest::keyClicks(dialog.nameBox(row)->lineEdit(),
                       QString::fromStdString(sightings[row].name));
      QTest::keyClicks(dialog.readingField(row), ShortestText(sightings[row].reading, 4));
      QTest::keyClicks(dialog.distanceField(row), ShortestText(*sightings[row].distance, 3));
    }
    EXPECT_EQ(dialog.rowCount(), 12);  // and one to type the next into
    ASSERT_TRUE(dialog.answer());
    EXPECT_NEAR(dialog.answer()->station.x, 6188.9593116, 1e-6);
    EXPECT_NEAR(dialog.answer()->station.y, 8356.6768322, 1e-6);
    const QString result = dialog.findChild<QLabel*>(QStringLiteral("setupResult"))->text();
    EXPECT_TRUE(result.contains("X 6188.9593&nbsp; Y 8356.6768")) << result.toStdString();
    EXPECT_TRUE(result.contains("定向 349.595819")) << result.toStdString();
    // Over 10" or 10 mm: A's and F's distances, D's reading.
    const struct {
      int row, which;
      const char* text;
      bool over;
    } cells[] = {{0, 0, "+2.9", false},  {0, 1, "+4.2", false}, {0, 2, "+11.4*", true},
                 {4, 0, "+10.5*", true}, {7, 0, "-3.8", false}, {7, 2, "-12.7*", true},
                 {11, 0, "", false}};
    for (const auto& cell : cells) {
      const QLabel* label = dialog.residual(cell.row, cell.which);
      EXPECT_EQ(label->text(), cell.text) << cell.row << "," << cell.which;
      EXPECT_EQ(label->property("over").toBool(), cell.over) << cell.row << "," << cell.which;
      EXPECT_EQ(label->palette().color(QPalette::WindowText),
                cell.over ? ErrorColour() : QColor(Qt::black));
    }
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
      if (button->text() == "确定") {
        EXPECT_TRUE(button->isEnabled());
        button->click();
      }
  });

  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() != nullptr; }));
  const auto sheet = window.sheet();
  ASSERT_TRUE(sheet->setup);
  EXPECT_EQ(sheet->setup->x, "6188.9593");
  EXPECT_EQ(sheet->setup->y, "8356.6768");
  EXPECT_EQ(sheet->setup->orientation, "349.595819");
  EXPECT_EQ(checkLine(window)->text(),
            "自由设站  X 6188.9593  Y 8356.6768    定向 349.595819\n"
            "检核：mX 3.5 mm  mY 1.7 mm  σ0 2.49    11 个观测，超限 3 个");
  const QStringList tool = toolSheet(files, "6188.9593,8356.6768", "349.595819");
  EXPECT_EQ(tool.size(), 4);
  EXPECT_EQ(shownSheet(window), tool);
  // 导出 CSV: the tool's --header comment line and rows, under the sheet's
  // own headings.
  const QString csv = files.folder.filePath(QStringLiteral("free.csv"));
  ASSERT_EQ(WriteSheetCsv(*sheet, csv), "");
  QFile written(csv);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(written.readAll())
                                .remove(QChar(0xFEFF))
                                .remove('\r')
                                .split('\n', Qt::SkipEmptyParts);
  const QStringList withHeader =
      toolSheet(files, "6188.9593,8356.6768", "349.595819", {"--header"});
  ASSERT_EQ(lines.size(), withHeader.size());
  EXPECT_TRUE(lines.front().startsWith(QStringLiteral("# 自由设站  X 6188.9593  Y 8356.6768")))
      << lines.front().toStdString();
  EXPECT_EQ(lines.mid(2), withHeader.mid(2));

  // The next window starts with the setup kept.
  CSetoutWindow next;
  EXPECT_EQ(next.panel().method(), CStationPanel::Method::kFree);
  EXPECT_EQ(next.panel().oriented().sightings, SetupFiles::sightings());
  EXPECT_EQ(next.panel().oriented().sigmas, (reading::SetupSigmas{2.0, 5.0, 2.0}));
}

// 多后视定向 on the station the panel names: worked out again when the
// station changes, refused where the station is not known.
TEST_F(SetupWindowTest, OrientsOnSeveralBacksightsFromTheStationThePanelNames) {
  reading::OrientedStation oriented;
  oriented.method = reading::OrientedStation::Method::kBacksights;
  oriented.station = reading::PointName{"H"};
  // From H: the azimuths of A, C and Q less 10°, Q's read 3" high; C's distance.
  oriented.sightings = {{"A", 35.1416, std::nullopt}, {"C", 39.2355, 460.977}, {"Q", 37.3238, {}}};
  CStationPanel& panel = window.panel();
  panel.showSetup(oriented);
  emit panel.changed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() != nullptr; }));
  const QString first = checkLine(window)->text();
  EXPECT_TRUE(first.startsWith("多后视定向  测站 H  X 6188.9620  Y 8006.6780    定向 "))
      << first.toStdString();
  const QString orientation = QString::fromStdString(window.sheet()->setup->orientation);
  EXPECT_EQ(shownSheet(window), toolSheet(files, "6188.9620,8006.6780", orientation));

  auto* station = panel.findChildren<CPointNameBox*>().front();
  station->lineEdit()->selectAll();
  QTest::keyClicks(station, "G");
  QTest::keyClick(station, Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return checkLine(window)->text() != first; }));
  EXPECT_TRUE(checkLine(window)->text().startsWith("多后视定向  测站 G  X 6001.0235"));

  station->lineEdit()->selectAll();
  QTest::keyClicks(station, "G9");
  QTest::keyClick(station, Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() == nullptr; }));
  EXPECT_EQ(checkLine(window)->text(), "测站点名 G9 不在 ctl.dat 中");
}

}  // namespace
