// What the 放样表 keeps of a file: closed and opened again it comes back
// with its columns, control file, station, backsight, setup on sightings,
// heights, angle format, decimals, design columns and ticks;
// 最近文件 lists eight files, the most recent first, each opening with its
// own setup, and one no longer there is a message, not a blank window.

#include <gtest/gtest.h>

#include <cstdio>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include "tests/ui/common/message_catcher.h"
#include "tests/ui/sheet/setout_files.h"
#include "tests/ui/sheet/setup_files.h"
#include "ui/sheet/kept_file_setups.h"
#include "ui/sheet/open_sheet.h"
#include "ui/sheet/recent_files_menu.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sketch_widget.h"
#include "ui/sheet/station_panel.h"

namespace {

QString status(const CSetoutWindow& window) {
  return window.statusBar()->findChildren<QLabel*>().front()->text();
}

std::vector<int> tickedRows(const CSetoutWindow& window) {
  std::vector<int> rows;
  for (int row = 0; row < window.model().rowCount(); ++row)
    if (window.model().index(row, window.model().tickColumn()).data(Qt::CheckStateRole) == Qt::Checked)
      rows.push_back(row);
  return rows;
}

TEST(SetoutKept, ClosingAndOpeningAgainBringsBackTheFileItsSetupAndTicks) {
  SetoutFiles files;
  QPointer<CSetoutWindow> first = new CSetoutWindow;
  first->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(first));
  reading::SheetRequest request = files.request();
  request.decimals = 2;
  request.azimuthDecimals = 2;
  first->load(request);
  ASSERT_TRUE(QTest::qWaitFor([&] { return first->sheet() != nullptr; }));
  // K1 ticked with 已放样 (Ctrl+T), 桩6 with Space on its check box.
  QTableView& table = first->table();
  table.setFocus();
  table.selectRow(0);
  QTest::keyClick(&table, Qt::Key_T, Qt::ControlModifier);
  table.setCurrentIndex(first->model().index(6, first->model().tickColumn()));
  QTest::keyClick(&table, Qt::Key_Space);
  EXPECT_EQ(tickedRows(*first), (std::vector<int>{0, 6}));
  first->close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));

  CSetoutWindow* again = OpenSetoutWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return again->sheet() != nullptr; }));
  EXPECT_EQ(again->windowTitle(), "放样表 - design.csv");
  const PanelSetup setup = again->panel().setup();
  ASSERT_TRUE(setup.setup);
  EXPECT_EQ(*setup.setup, reading::StationSetup(reading::StationAndBacksight{
                              reading::PointName{"A1"}, reading::PointName{"A2"}}));
  EXPECT_EQ(again->panel().angleDecimals(), 2);
  EXPECT_EQ(again->panel().distanceDecimals(), 2);
  QStringList labels;
  for (const QLabel* label : again->panel().findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("ctl.dat")) << labels.join('|').toStdString();
  EXPECT_EQ(again->model().index(0, CSheetModel::kAngle).data().toString(), "358.55");
  EXPECT_EQ(tickedRows(*again), (std::vector<int>{0, 6}));
  EXPECT_EQ(status(*again), "7 个点，2 行有误，已放样 2 个");
  // The ticked points are grey in the sketch.
  CSketchWidget& sketch = again->sketch();
  const SheetRows::Point k1 = again->sheet()->rows.point(0);
  const QPoint at = sketch.frame().toArea(k1.x, k1.y, QRectF(sketch.rect())).toPoint();
  EXPECT_EQ(sketch.grab().toImage().pixelColor(at), QColor(175, 175, 175));
  again->close();
}

// The field a label of the panel names, as the user finds it.
QString fieldText(const CSetoutWindow& window, const QString& label) {
  for (const QLabel* shown : window.panel().findChildren<QLabel*>())
    if (shown->text() == label)
      if (const auto* edit = qobject_cast<const QLineEdit*>(shown->buddy())) return edit->text();
  ADD_FAILURE() << "no field " << label.toStdString();
  return {};
}

QString comboText(const CSetoutWindow& window, const QString& label) {
  for (const QLabel* shown : window.panel().findChildren<QLabel*>())
    if (shown->text() == label)
      if (const auto* box = qobject_cast<const QComboBox*>(shown->buddy()))
        return box->currentText();
  ADD_FAILURE() << "no list " << label.toStdString();
  return {};
}

QStringList headings(const CSetoutWindow& window) {
  QStringList titles;
  for (int column = 0; column < window.model().columnCount(); ++column)
    titles << window.model().headerData(column, Qt::Horizontal).toString();
  return titles;
}

// Two files, each left with a setup of its own: the free station on
// sightings with heights, D°M′S″ angles and the design columns, and a
// typed station with none of these. Opened again, each comes back with its
// own, in the fields and in the table.
TEST(SetoutKept, EachFileComesBackWithItsSetupOnSightingsHeightsAnglesAndColumns) {
  SetupFiles files;
  const QString other = files.folder.filePath(QStringLiteral("other.csv"));
  ASSERT_TRUE(QFile::copy(files.design, other));
  {
    QPointer<CSetoutWindow> window = new CSetoutWindow;
    window->show();
    reading::SheetRequest request = files.freeRequest();
    request.angleFormat = reading::AngleFormat::kDms;
    request.heights = reading::SightHeights{20.5, 1.552, 1.3, true};
    window->load(request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->sheet() != nullptr; }));
    window->findChild<QAction*>(QStringLiteral("designShown"))->trigger();
    window->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
  }
  {
    QPointer<CSetoutWindow> window = new CSetoutWindow;
    window->show();
    reading::SheetRequest request = files.request();
    request.design = reading::DesignFile{other.toStdString()};
    request.known = reading::DesignNames();
    request.setup = reading::StationAndBacksight{reading::Point{6210.0, 8370.0},
                                                 reading::PackedAzimuth{0.0}};
    window->load(request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->sheet() != nullptr; }));
    window->findChild<QAction*>(QStringLiteral("designShown"))->setChecked(false);
    window->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
  }

  CSetoutWindow* again = OpenSetoutWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return again->sheet() != nullptr; }));
  EXPECT_EQ(again->windowTitle(), "放样表 - other.csv");
  EXPECT_EQ(comboText(*again, "设站方式(&M):"), "已知点 + 后视");
  EXPECT_EQ(fieldText(*again, "仪器高(&I):"), "");
  EXPECT_EQ(comboText(*again, "角度格式(&G):"), "度.分秒");
  EXPECT_FALSE(headings(*again).contains("设计X"));
  // K1 (X 6210, Y 8380) 10 m straight east of the station: at 90°.
  EXPECT_EQ(again->model().index(0, CSheetModel::kAzimuth).data().toString(), "90.0000");

  auto* menu = again->findChild<CRecentFilesMenu*>();
  menu->rebuild();
  ASSERT_EQ(menu->actions()[1]->text(), "&2 design.csv");
  menu->actions()[1]->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return again->windowTitle() == "放样表 - design.csv"; }));
  ASSERT_TRUE(QTest::qWaitFor([&] { return again->sheet() && again->sheet()->setup; }));
  EXPECT_EQ(comboText(*again, "设站方式(&M):"), "自由设站");
  EXPECT_EQ(again->findChild<QLabel*>(QStringLiteral("setupSummary"))->text(), "11 个观测");
  EXPECT_EQ(fieldText(*again, "测站高程(&H):"), "20.5");
  EXPECT_EQ(fieldText(*again, "仪器高(&I):"), "1.552");
  EXPECT_EQ(fieldText(*again, "目标高(&T):"), "1.3");
  bool corrected = false;
  for (const QCheckBox* box : again->panel().findChildren<QCheckBox*>())
    corrected = corrected || (box->text() == "两差改正(&R)" && box->isChecked());
  EXPECT_TRUE(corrected);
  EXPECT_EQ(comboText(*again, "角度格式(&G):"), "度°分′秒″");
  const QStringList titles = headings(*again);
  EXPECT_TRUE(titles.contains("设计X") && titles.contains("设计Y") && titles.contains("天顶距"))
      << titles.join('|').toStdString();
  EXPECT_TRUE(again->model().index(0, CSheetModel::kAngle).data().toString().contains("°"));
  again->close();
}

// Nine files opened one after the other: the menu lists the last eight,
// the most recent first; each opens again with its own decimals, and one
// that is gone gives a message and leaves the sheet shown as it was.
TEST(SetoutKept, RecentFilesListEightAndEachComesBackWithItsOwnSetup) {
  SetoutFiles files;
  CSetoutWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QStringList paths;
  for (int i = 1; i <= 9; ++i) {
    paths << files.folder.filePath(QStringLiteral("f%1.csv").arg(i));
    ASSERT_TRUE(QFile::copy(files.design, paths.back()));
    reading::SheetRequest request = files.request();
    request.design = reading::DesignFile{paths.back().toStdString()};
    request.decimals = i;
    const auto shown = window.sheet();
    window.load(request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() && window.sheet() != shown; }));
  }
  auto* menu = window.findChild<CRecentFilesMenu*>();
  ASSERT_NE(menu, nullptr);
  menu->rebuild();
  QStringList shown;
  for (QAction* action : menu->actions()) shown << action->text();
  EXPECT_EQ(shown, QStringList({"&1 f9.csv", "&2 f8.csv", "&3 f7.csv", "&4 f6.csv", "&5 f5.csv",
                                "&6 f4.csv", "&7 f3.csv", "&8 f2.csv"}));

  menu->actions()[6]->trigger();  // f3
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == "放样表 - f3.csv"; }));
  EXPECT_EQ(window.panel().distanceDecimals(), 3);
  EXPECT_EQ(window.model().index(0, CSheetModel::kDistance).data().toString(), "108.912");
  menu->rebuild();
  EXPECT_EQ(menu->actions()[0]->text(), "&1 f3.csv");

  ASSERT_TRUE(QFile::remove(paths[4]));  // f5
  MessageCatcher catcher;
  EXPECT_EQ(menu->actions()[5]->text(), "&6 f5.csv");
  menu->actions()[5]->trigger();
  EXPECT_EQ(catcher.wait(), "无法打开 f5.csv：文件不存在");
  EXPECT_EQ(window.windowTitle(), "放样表 - f3.csv");
  EXPECT_EQ(window.model().rowCount(), 7);
}

// The file shown last is gone: the window opens empty, and says so.
TEST(SetoutKept, AMissingLastFileIsAMessage) {
  SetoutFiles files;
  SheetSetup().Keep(files.folder.filePath(QStringLiteral("gone.csv")));
  MessageCatcher catcher;
  CSetoutWindow* window = OpenSetoutWindow();
  EXPECT_EQ(catcher.wait(), "无法打开 gone.csv：文件不存在");
  EXPECT_EQ(status(*window), "请打开坐标文件（Ctrl+O）");
  window->close();
}

// A file named in GBK (from a Windows archive) whose names are Big5, read
// with 编码 Big5, comes back by its bytes and read as Big5 again (found by
// itself it would read as GB18030: 翴1).
TEST(SetoutKept, AGbkNamedFileComesBackWithItsEncoding) {
  SetoutFiles files;
  const std::string path = files.folder.path().toStdString() + "/\xC9\xE8\xBC\xC6.csv";
  {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("\xC2I1,,500012.345,3350108.210,21.300\n", file);
    std::fclose(file);
  }
  reading::SheetRequest request = files.requestWithoutColumns();
  request.columns = SetoutFiles::columns();
  request.design = reading::DesignFile{path};
  request.input.encoding = reading::TextEncoding::kBig5;
  QPointer<CSetoutWindow> first = new CSetoutWindow;
  first->load(request);
  ASSERT_TRUE(QTest::qWaitFor([&] { return first->sheet() != nullptr; }));
  EXPECT_EQ(first->model().index(0, CSheetModel::kName).data().toString(), "點1");
  first->close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));

  CSetoutWindow* again = OpenSetoutWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return again->sheet() != nullptr; }));
  EXPECT_EQ(again->windowTitle(), "放样表 - 设计.csv");
  EXPECT_EQ(again->model().index(0, CSheetModel::kName).data().toString(), "點1");
  again->close();
}

// A kept file that no longer reads (now a program, say) gives a message,
// and the window, its panel and what it keeps stay the file's it shows.
TEST(SetoutKept, AKeptFileThatNoLongerReadsLeavesTheShownFilesSetup) {
  SetoutFiles files;
  const QString bad = files.folder.filePath(QStringLiteral("bad.csv"));
  {
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x7f" "ELF", 4) + QByteArray(4096, '\0'));
  }
  SheetSetup other;
  other.distanceDecimals = 6;
  other.instrumentHeight = QStringLiteral("9.9");
  other.setup = reading::StationAndBacksight{reading::PointName{"K2"}, reading::PointName{"K4"}};
  ASSERT_TRUE(other.Keep(bad));

  QPointer<CSetoutWindow> window = new CSetoutWindow;
  window->show();
  window->load(files.request());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->sheet() != nullptr; }));
  auto* menu = window->findChild<CRecentFilesMenu*>();
  menu->rebuild();
  ASSERT_EQ(menu->actions()[1]->text(), "&2 bad.csv");
  MessageCatcher catcher;
  menu->actions()[1]->trigger();
  EXPECT_FALSE(catcher.wait().isEmpty());
  EXPECT_EQ(window->windowTitle(), "放样表 - design.csv");
  EXPECT_EQ(window->panel().distanceDecimals(), 3);
  EXPECT_EQ(fieldText(*window, "仪器高(&I):"), "");
  EXPECT_EQ(window->model().index(0, CSheetModel::kDistance).data().toString(), "108.912");
  // A tick is kept with the shown file's own setup.
  window->model().setData(window->model().index(0, window->model().tickColumn()), Qt::Checked,
                          Qt::CheckStateRole);
  window->close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
  const auto kept = SheetSetup::Recall(files.design);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->distanceDecimals, 3);
  EXPECT_EQ(kept->instrumentHeight, "");
  EXPECT_EQ(kept->setup, (reading::StationAndBacksight{reading::PointName{"A1"},
                                                       reading::PointName{"A2"}}));
  EXPECT_EQ(kept->ticks.size(), 1u);
}

// A record keeps every field as given, station setups of each kind, and
// goes with its ticks when its file falls off the list.
TEST(SetoutKept, ARecordKeepsEveryFieldAndGoesWhenItsFileFallsOffTheList) {
  SetoutFiles files;
  using reading::PackedAzimuth;
  using reading::Point;
  using reading::PointName;
  const std::optional<reading::StationAndBacksight> setups[] = {
      std::nullopt,
      reading::StationAndBacksight{PointName{"桩 1:2"}, PointName{"A2"}},
      reading::StationAndBacksight{Point{3350000.125, -0.1}, PackedAzimuth{359.5959}},
      reading::StationAndBacksight{PointName{"A1"}, std::nullopt},
  };
  for (const auto& given : setups) {
    SheetSetup kept;
    kept.layout.columns = QStringLiteral("name,x,y");
    kept.controlPath = files.control;
    kept.controlLayout.columns = QStringLiteral("name,-,y,x");
    kept.designShown = true;
    kept.setup = given;
    kept.angleDecimals = 6;
    kept.distanceDecimals = 0;
    kept.ticks = {{3, "K1"}, {9, "桩\t6"}};
    ASSERT_TRUE(kept.Keep(files.design));
    const auto recalled = SheetSetup::Recall(files.design);
    ASSERT_TRUE(recalled);
    EXPECT_EQ(recalled->layout.columns, "name,x,y");
    EXPECT_EQ(recalled->controlPath, kept.controlPath);
    EXPECT_EQ(recalled->controlLayout.columns, "name,-,y,x");
    EXPECT_TRUE(recalled->designShown);
    EXPECT_EQ(recalled->setup, given);
    EXPECT_EQ(recalled->angleDecimals, 6);
    EXPECT_EQ(recalled->distanceDecimals, 0);
    EXPECT_EQ(recalled->ticks, kept.ticks);
  }
  const QString ticksFolder =
      QFileInfo(QSettings(QStringLiteral("Corvane"), QStringLiteral("setout")).fileName())
          .dir()
          .filePath(QStringLiteral("setout-ticks"));
  EXPECT_EQ(QDir(ticksFolder).entryList(QDir::Files).size(), 1);
  for (int i = 0; i < kKeptSetups; ++i)
    SheetSetup().Keep(files.folder.filePath(QStringLiteral("other%1.csv").arg(i)));
  EXPECT_FALSE(SheetSetup::Recall(files.design));
  EXPECT_EQ(QDir(ticksFolder).entryList(QDir::Files).size(), 0);
  EXPECT_EQ(RecentFiles().size(), kRecentShown);
  EXPECT_EQ(RecentFiles(100).size(), kKeptSetups);
}

}  // namespace
