// The setting-out window as a user meets it, offscreen: a small file read
// into the table and the sketch, selection both ways, copying, the keyboard
// path, the panel's messages, a file that is no coordinate file or a read
// cancelled (the window stays on the sheet it showed), the layout box, and
// the window beside the modal calculator and after it.

#include "ui/sheet/setout_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "res/resource.h"
#include "tests/ui/common/message_catcher.h"
#include "tests/ui/sheet/setout_files.h"
#include "ui/calc/calc_dialog.h"
#include "ui/common/job_runner.h"
#include "ui/common/program_windows.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/open_sheet.h"
#include "ui/sheet/point_name_box.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sketch_widget.h"
#include "ui/sheet/station_panel.h"

namespace {

class SetoutWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.load(files.request());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() != nullptr; }));
  }

  QString status() const { return window.statusBar()->findChildren<QLabel*>().front()->text(); }
  QLabel* checkLine() const { return window.findChild<QLabel*>(QStringLiteral("checkLine")); }

  QPoint pointOf(int row) const {
    const SheetRows::Point ground = window.sheet()->rows.point(row);
    CSketchWidget& sketch = window.sketch();
    return sketch.frame().toArea(ground.x, ground.y, QRectF(sketch.rect())).toPoint();
  }

  SetoutFiles files;
  CSetoutWindow window;
};

TEST_F(SetoutWindowTest, ShowsTheSheetTheCountsAndFailedRowsInRed) {
  EXPECT_EQ(status(), "7 个点，2 行有误");
  CSheetModel& model = window.model();
  EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), "3");  // the file's line
  EXPECT_EQ(model.index(0, CSheetModel::kAngle).data().toString(), "358.5449");
  QTableView& table = window.table();
  EXPECT_EQ(table.columnSpan(4, CSheetModel::kAzimuth), 4);  // the message across the numbers
  const QRect message = table.visualRect(model.index(4, CSheetModel::kAzimuth));
  const QImage shown = table.viewport()->grab(message).toImage();
  int red = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QColor pixel = shown.pixelColor(x, y);
      red += pixel.red() > 150 && pixel.green() < 60 && pixel.blue() < 60;
    }
  EXPECT_GT(red, 20);
}

// A long message stays in its row: the next row's numbers are still in view.
TEST_F(SetoutWindowTest, ALongMessageLeavesTheNumbersColumnsInView) {
  SetoutFiles::write(files.design, "P1 500000 3350100\nP2 3350100 500000\n");
  window.load(files.requestWithoutColumns());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() && window.sheet()->rows.size() == 2; }));
  EXPECT_TRUE(window.model()
                  .index(0, CSheetModel::kAzimuth)
                  .data()
                  .toString()
                  .startsWith(QStringLiteral("第 1 行：点离测站太远")));
  const QRect distance = window.table().visualRect(window.model().index(1, CSheetModel::kDistance));
  EXPECT_EQ(window.model().index(1, CSheetModel::kDistance).data().toString(), "100.000");
  EXPECT_LE(distance.right(), window.table().viewport()->width());
}

TEST_F(SetoutWindowTest, SelectingARowMarksItsPointAndClickingAPointSelectsItsRow) {
  window.table().selectRow(1);
  EXPECT_EQ(window.sketch().selectedRow(), 1);
  QTest::mouseClick(&window.sketch(), Qt::LeftButton, {}, pointOf(3));
  EXPECT_EQ(window.table().currentIndex().row(), 3);
  EXPECT_EQ(window.sketch().selectedRow(), 3);
}

TEST_F(SetoutWindowTest, WheelZoomsAboutThePointerAndDraggingPans) {
  CSketchWidget& sketch = window.sketch();
  const QPoint k1 = pointOf(0);
  const double before = sketch.frame().pixelsPerMetre;
  QWheelEvent wheel(k1, sketch.mapToGlobal(k1), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(&sketch, &wheel);
  EXPECT_DOUBLE_EQ(sketch.frame().pixelsPerMetre, before * 1.25);
  EXPECT_EQ(pointOf(0), k1);
  QTest::mousePress(&sketch, Qt::LeftButton, {}, k1);
  QTest::mouseMove(&sketch, k1 + QPoint(30, 20));
  QTest::mouseRelease(&sketch, Qt::LeftButton, {}, k1 + QPoint(30, 20));
  EXPECT_EQ(pointOf(0), k1 + QPoint(30, 20));
  EXPECT_EQ(sketch.selectedRow(), -1);  // a drag selects nothing
}

// Ctrl+C: the sheet's headings, then the rows selected.
TEST_F(SetoutWindowTest, CtrlCCopiesTheSelectedRowsForASpreadsheet) {
  QTableView& table = window.table();
  table.setFocus();
  table.selectRow(0);
  QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            "点名\t编码\t方位角\t水平角\t距离\t设计高程\n"
            "K1\t\t6.3030\t358.5449\t108.912\t21.300\n"
            "K2\tkerb\t53.5338\t46.1758\t108.797\t21.150\n");
}

TEST_F(SetoutWindowTest, TabReachesEveryControlTheTableAndTheSketch) {
  QWidget* first = window.centralWidget()->nextInFocusChain();
  first->setFocus(Qt::TabFocusReason);
  QSet<QWidget*> reached;
  for (int press = 0; press < 40 && !reached.contains(QApplication::focusWidget()); ++press) {
    reached.insert(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_TRUE(reached.contains(&window.table()));
  EXPECT_TRUE(reached.contains(&window.sketch()));
  // Every control shown that takes the focus itself (not through a box it
  // is part of, as a list's or a spin box's field).
  for (QWidget* control : window.findChildren<QWidget*>()) {
    if (control->isVisible() && (control->focusPolicy() & Qt::TabFocus) && !control->focusProxy()) {
      EXPECT_TRUE(reached.contains(control)) << control->metaObject()->className();
    }
  }
}

// The panel's choices recompute the sheet: fewer decimals round the angles
// as angles; an unknown station shows why in red and no stale numbers stay.
TEST_F(SetoutWindowTest, PanelChangesRecomputeAndAnUnknownStationClearsTheSheet) {
  auto* angle = window.findChild<QSpinBox*>();
  ASSERT_NE(angle, nullptr);
  const auto before = window.sheet();
  angle->setValue(2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() != before; }));
  EXPECT_EQ(window.model().index(0, CSheetModel::kAzimuth).data().toString(), "6.31");
  EXPECT_EQ(window.model().index(0, CSheetModel::kAngle).data().toString(), "358.55");

  // Passing through a field without changing it reads nothing again.
  auto* station = window.findChildren<CPointNameBox*>().front();
  station->setFocus();
  QTest::keyClick(station, Qt::Key_Return);
  EXPECT_FALSE(window.findChild<QProgressBar*>("cancelProgress")->isVisibleTo(&window));

  station->lineEdit()->selectAll();
  QTest::keyClicks(station, "A9");
  QTest::keyClick(station, Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() == nullptr; }));
  // The points stay listed beside the message.
  EXPECT_EQ(window.model().rowCount(), 7);
  const QLabel* check = checkLine();
  EXPECT_EQ(check->text(), "测站点名 A9 不在 ctl.dat 中");
  EXPECT_EQ(check->palette().color(QPalette::WindowText), QColor(200, 0, 0));
}

// What keeps the sheet from being computed is said in Chinese and names the
// field typed into: no option of the command line, no English.
TEST_F(SetoutWindowTest, ThePanelSaysWhatIsWrongWithWhichField) {
  CStationPanel& panel = window.panel();
  const struct {
    reading::StationAndBacksight setup;
    const char* stationX;  // typed over the station's X where not null
    const char* message;
  } cases[] = {
      {{reading::Point{0, 0}, reading::PointName{"A2"}},
       "3350000,5",
       "测站 X（北）不是数字：3350000,5（小数点请用“.”）"},
      {{reading::Point{0, 0}, reading::PointName{"A2"}}, "1e999", "测站 X（北）超出范围：1e999"},
      {{reading::Point{0, 0}, reading::PointName{"A2"}}, "", "请输入测站 X（北）"},
      {{reading::PointName{"A1"}, reading::PointName{""}}, nullptr, "请输入后视点名"},
      {{reading::PointName{"A1"}, reading::PointName{"A1"}},
       nullptr,
       "后视点与测站相同，请另选一点"},
      {{reading::PointName{"A1"}, reading::PackedAzimuth{45.6}},
       nullptr,
       "后视方位角的分不能是 60 或更多：45.6"},
      {{reading::Point{3350000, 500000}, reading::Point{3350000, 500000}},
       nullptr,
       "后视点与测站相同，请另选一点"},
  };
  for (const auto& given : cases) {
    panel.showSetup(given.setup);
    if (given.stationX) {
      for (QLineEdit* edit : panel.findChildren<QLineEdit*>())
        if (edit->placeholderText() == QStringLiteral("X（北）")) {
          edit->setText(QString::fromUtf8(given.stationX));
          break;
        }
    }
    emit panel.changed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return checkLine()->text() == given.message; }))
        << checkLine()->text().toStdString() << " for " << given.message;
    EXPECT_EQ(window.sheet(), nullptr);
  }
}

// The heights and the angles' format from the panel: the sight's columns
// appear once heights are typed, the station's height is the station
// point's own h where none is typed, each missing field is named, and the
// next window starts with the same choices.
TEST_F(SetoutWindowTest, HeightsAndTheAngleFormatFromThePanelAreKept) {
  CStationPanel& panel = window.panel();
  const auto shown = window.sheet();
  panel.setAngleFormat(reading::AngleFormat::kDms);
  panel.setHeightTexts({"", "1.552", "1.3", true});
  emit panel.changed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() != shown && window.sheet(); }));
  CSheetModel& model = window.model();
  ASSERT_EQ(model.tickColumn(), 9);  // the sheet's columns, then the check boxes
  QStringList headings;
  for (int column = 0; column < model.tickColumn(); ++column)
    headings << model.headerData(column, Qt::Horizontal).toString();
  EXPECT_EQ(headings.mid(5), QStringList({"设计高程", "高差", "天顶距", "斜距"}));
  // A1's height in ctl.dat is 20.000: ΔH = 21.300 + 1.3 − 20 − 1.552; the
  // correction, 0.0008 m at 108.9 m, turns 89°26′55.4″ into 89°26′56.9″.
  QStringList k1;
  for (int column = 0; column < model.tickColumn(); ++column)
    k1 << model.index(0, column).data().toString();
  EXPECT_EQ(k1.join(',').toStdString(),
            "K1,,6°30′30″,358°54′49″,108.912,21.300,1.048,89°26′57″,108.917");
  EXPECT_EQ(checkLine()->text(), "检核：后视方位角 7°35′41″   距离 151.327");

  const struct {
    CStationPanel::HeightTexts heights;
    int angleDecimals;
    const char* message;
  } cases[] = {
      {{"", "", "1.3", false}, 4, "请输入仪器高"},
      {{"", "1.5", "", false}, 4, "请输入目标高"},
      {{"2O", "1.5", "1.3", false}, 4, "测站高程不是数字：2O"},
      {{"", "1.5", "1.3", false}, 3, "角度格式为度°分′秒″时，角度小数位须为 4 或更多（4 为整秒）"},
  };
  for (const auto& given : cases) {
    panel.setHeightTexts(given.heights);
    panel.setDecimals(given.angleDecimals, 3);
    emit panel.changed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return checkLine()->text() == given.message; }))
        << checkLine()->text().toStdString() << " for " << given.message;
    EXPECT_EQ(window.sheet(), nullptr);
  }
  SetoutFiles::write(files.control,
                     "A1,,500000.000,3350000.000,20.000\n"
                     "A2,,500020.000,3350150.000,\n");
  panel.showSetup({reading::PointName{"A2"}, reading::PointName{"A1"}});  // A2 has no h
  panel.setDecimals(4, 3);
  emit panel.changed();
  ASSERT_TRUE(QTest::qWaitFor([&] {
    return checkLine()->text() == "测站 A2 在 ctl.dat 中没有高程，请输入测站高程";
  })) << checkLine()->text().toStdString();

  CSetoutWindow next;
  EXPECT_EQ(next.panel().angleFormat(), reading::AngleFormat::kDms);
  const CStationPanel::HeightTexts kept = next.panel().heightTexts();
  EXPECT_EQ(QStringList({kept.station, kept.instrument, kept.target}),
            QStringList({"", "1.5", "1.3"}));
  EXPECT_FALSE(kept.earthCorrection);
}

// 查看 > 设计坐标 adds 设计X and 设计Y to the table, and the next window
// shows them too.
TEST_F(SetoutWindowTest, TheDesignCoordinatesAreShownFromTheMenuAndKept) {
  auto* design = window.findChild<QAction*>(QStringLiteral("designShown"));
  ASSERT_NE(design, nullptr);
  EXPECT_FALSE(design->isChecked());
  design->trigger();
  ASSERT_EQ(window.model().tickColumn(), 8);
  EXPECT_EQ(window.model().index(0, 7).data().toString(), "500012.345");
  EXPECT_EQ(window.table().columnSpan(4, CSheetModel::kAzimuth), 6);  // S7's message across
  CSetoutWindow next;
  EXPECT_TRUE(next.findChild<QAction*>(QStringLiteral("designShown"))->isChecked());
  EXPECT_TRUE(next.choices().designShown);
}

// 文件 > 页眉...: the fields typed are the printed pages' heading, and the
// next window's.
TEST_F(SetoutWindowTest, ThePageHeadingIsTypedInItsDialogAndKept) {
  QAction* heading = nullptr;
  for (QAction* action : window.findChildren<QAction*>())
    if (action->text() == QStringLiteral("页眉(&H)...")) heading = action;
  ASSERT_NE(heading, nullptr);
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 6);
    fields[0]->setText(QStringLiteral(" 滨江路二期 "));
    fields[2]->setText(QStringLiteral("张三"));
    dialog->accept();
  });
  heading->trigger();
  const PageHeading typed = window.choices().heading;
  EXPECT_EQ(typed.fields[0], "滨江路二期");
  EXPECT_EQ(typed.fields[1], "");
  EXPECT_EQ(typed.fields[2], "张三");
  CSetoutWindow next;
  EXPECT_EQ(next.choices().heading, typed);
}

// Another file that is no coordinate file (a program, a picture): a message
// box, and the window stays on the sheet it showed, the name over it, the
// file its exports and 列格式 are for.
TEST_F(SetoutWindowTest, AFileThatIsNoTextGivesAMessageAndKeepsTheSheetAndItsName) {
  const auto shown = window.sheet();
  const QString other = files.folder.filePath(QStringLiteral("ls"));
  QFile picture(other);
  ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
  picture.write(
      QByteArray("\x7f"
                 "ELF\x02\x01\x01\0\0\0",
                 10));
  picture.close();
  reading::SheetRequest request = files.request();
  request.design = reading::DesignFile{other.toStdString()};
  MessageCatcher catcher;
  window.load(request);
  EXPECT_EQ(catcher.wait(), "ls 不是文本文件，不能作为坐标文件读取。");
  EXPECT_EQ(window.sheet(), shown);
  EXPECT_EQ(window.sheet()->path, files.design);
  EXPECT_EQ(window.windowTitle(), "放样表 - design.csv");
  EXPECT_EQ(status(), "7 个点，2 行有误");
}

// 取消 while a big file is read: the window stays on the sheet it showed.
TEST_F(SetoutWindowTest, ACancelledReadKeepsTheSheetAndItsName) {
  const auto shown = window.sheet();
  const QString big = files.folder.filePath(QStringLiteral("big.csv"));
  QFile design(big);
  ASSERT_TRUE(design.open(QIODevice::WriteOnly));
  for (int i = 0; i < 300000; ++i) design.write("P,,500012.345,3350108.210,21.3\n");
  design.close();
  reading::SheetRequest request = files.request();
  request.design = reading::DesignFile{big.toStdString()};
  window.load(request);
  auto* cancel = window.findChild<QPushButton*>(QStringLiteral("cancel"));
  ASSERT_TRUE(cancel->isVisibleTo(&window));
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_FALSE(cancel->isVisibleTo(&window));
  // The stopped read ends and what it posts arrives, and is dropped.
  const auto runners = window.findChildren<CJobRunner*>();
  ASSERT_TRUE(QTest::qWaitFor([&] {
    return std::all_of(runners.begin(), runners.end(),
                       [](const CJobRunner* runner) { return runner->allEnded(); });
  }));
  EXPECT_EQ(window.sheet(), shown);
  EXPECT_EQ(window.windowTitle(), "放样表 - design.csv");
  EXPECT_EQ(status(), "7 个点，2 行有误");
  window.load(files.request());  // the file shown reads again
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.sheet() != shown; }));
}

// Typing part of a name lists the names that hold it, in any case.
TEST_F(SetoutWindowTest, TypingPartOfANameListsTheNamesThatHoldIt) {
  reading::SheetRequest request = files.request();
  request.known = reading::DesignNames();  // the names of the design file
  request.setup =
      reading::StationAndBacksight{reading::Point{3350000, 500000}, reading::PackedAzimuth{0}};
  const auto shown = window.sheet();
  window.load(request);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() != shown; }));
  auto* station = window.findChildren<CPointNameBox*>().front();
  station->setFocus();
  station->lineEdit()->clear();
  QTest::keyClicks(station->lineEdit(), "k");
  // K5's row does not read: it gives no name.
  EXPECT_EQ(station->listed(), QStringList({"K1", "K2", "K3, gate", "K4"}));
  QTest::keyClicks(station->lineEdit(), "3");
  EXPECT_EQ(station->listed(), QStringList({"K3, gate"}));
}

// A caller's design points (a road's stakes) open a sheet of their own.
TEST(SetoutSheetOfPoints, OpensWithTheTitleAndThePointsNamesToPickFrom) {
  SetoutFiles files;
  CSetoutWindow* window = OpenSetoutSheet(QStringLiteral("K0+000-K0+040"),
                                          {{"BM1", "", {3350000, 500000}, std::nullopt},
                                           {"BM2", "", {3350150, 500020}, std::nullopt},
                                           {"K0+020", "中线", {3350108.21, 500012.345}, 21.3004}});
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->windowTitle() == "放样表 - K0+000-K0+040"; }));
  window->panel().showSetup({reading::PointName{"BM1"}, reading::PointName{"BM2"}});
  emit window->panel().changed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->sheet() != nullptr; }));
  EXPECT_EQ(window->model().index(2, CSheetModel::kAngle).data().toString(), "358.5449");
  EXPECT_EQ(window->model().index(2, CSheetModel::kHeight).data().toString(), "21.300");
  window->close();  // deletes it
}

// The layout box names each column's role over the file's first rows, picks
// the preset a list is, and takes only a list the reader takes, blanks
// around the roles included.
TEST(ColumnLayout, HeadingsPresetAndOkFollowTheList) {
  PreviewRows preview;
  preview.rows = {{"K1", "", "500012.345", "3350108.210", "21.300"}};
  CColumnLayoutDialog dialog(preview, QStringLiteral("name,code,y,x,h"), PointColumnsProblem);
  auto* list = dialog.findChild<QLineEdit*>();
  auto* table = dialog.findChild<QTableWidget*>();
  auto* presets = dialog.findChild<QComboBox*>();
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_TRUE(list && table && presets && buttons);
  const struct {
    const char* typed;
    QStringList headings;
    const char* preset;  // the box's text; "" for none
    bool ok;
  } cases[] = {
      {"name,code,y,x,h", {"点名", "编码", "东 Y", "北 X", "高程"}, "name,code,y,x,h", true},
      {"name,x,y", {"点名", "北 X", "东 Y", "（多余）", "（多余）"}, "name,x,y", true},
      {"name, x, y", {"点名", "北 X", "东 Y", "（多余）", "（多余）"}, "name,x,y", true},
      {"name,-,y,x,-", {"点名", "（不读）", "东 Y", "北 X", "（不读）"}, "", true},
      {"name,code,east,x,h", {"点名", "编码", "？east", "北 X", "高程"}, "", false},
  };
  for (const auto& given : cases) {
    list->clear();
    QTest::keyClicks(list, given.typed);
    QStringList headings;
    for (int column = 0; column < table->columnCount(); ++column)
      headings << table->horizontalHeaderItem(column)->text();
    EXPECT_EQ(headings, given.headings) << given.typed;
    EXPECT_EQ(presets->currentData().toString(), given.preset) << given.typed;
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->isEnabled(), given.ok) << given.typed;
  }
  EXPECT_EQ(dialog.columns(), "name,code,east,x,h");
}

// A file that is no text (a 2 GB sparse file: all NUL bytes) is refused at
// its first bytes: the box says why in Chinese, and 确定 stays disabled.
TEST(ColumnLayout, AFileThatIsNoTextLeavesOkDisabled) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("sparse.csv"));
  QFile sparse(path);
  ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(2) << 30));
  sparse.close();
  const PreviewRows preview = ReadPreviewRows(path, 12);
  EXPECT_TRUE(preview.refused);
  CColumnLayoutDialog dialog(preview, QStringLiteral("name,code,y,x,h"), PointColumnsProblem);
  EXPECT_FALSE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QStringLiteral(
      "无法读取 sparse.csv：它不是 UTF-8 文本（开头有 NUL 字节，或是没有字节顺序标记的 "
      "UTF-16），请另存为 UTF-8，或带字节顺序标记的 UTF-16。")))
      << texts.join('|').toStdString();
}

// The calculator is application-modal; its own windows are not blocked by it.
// The click goes the way a real one does, through the window system, where
// a window blocked by a modal one would never see it. Escape closes the form
// alone: the 放样表 stays, and the program runs until it closes.
TEST(SetoutBesideCalculator, TakesClicksWhileTheFormIsModalAndOutlivesIt) {
  SetoutFiles files;
  CCalcDialog calc;
  calc.setWindowModality(Qt::ApplicationModal);
  calc.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  const auto setouts = [] {
    QList<CSetoutWindow*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* setout = qobject_cast<CSetoutWindow*>(window)) found << setout;
    return found;
  };
  calc.OnSysCommand(IDM_SETOUT);
  ASSERT_EQ(setouts().size(), 1);
  QPointer<CSetoutWindow> setout = setouts().front();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(setout));
  calc.OnSysCommand(IDM_SETOUT);  // a second time: the same window
  EXPECT_EQ(setouts().size(), 1);
  setout->load(files.request());
  ASSERT_TRUE(QTest::qWaitFor([&] { return setout->sheet() != nullptr; }));
  CSketchWidget& sketch = setout->sketch();
  const SheetRows::Point k2 = setout->sheet()->rows.point(1);
  const QPoint at = sketch.frame().toArea(k2.x, k2.y, QRectF(sketch.rect())).toPoint();
  QTest::mouseClick(setout->windowHandle(), Qt::LeftButton, {}, sketch.mapTo(setout, at));
  EXPECT_EQ(setout->table().currentIndex().row(), 1);
  EXPECT_EQ(QApplication::activeModalWidget(), &calc);

  QTest::keyClick(&calc, Qt::Key_Escape);
  EXPECT_FALSE(calc.isVisible());
  EXPECT_TRUE(setout->isVisible());
  QTimer::singleShot(50, setout, &QWidget::close);
  QTimer::singleShot(5000, qApp, &QCoreApplication::quit);  // in case it never ends
  QElapsedTimer clock;
  clock.start();
  RunUntilLastWindowCloses(calc);
  EXPECT_LT(clock.elapsed(), 4000);
  EXPECT_TRUE(QTest::qWaitFor([&] { return setout.isNull(); }));  // closed and deleted
}

}  // namespace
