// The setting-out window as a user meets it, offscreen: a small file read
// into the table and the sketch, selection both ways, copying, the keyboard
// path, a file that is no coordinate file, and the window beside the modal
// calculator.

#include "ui/sheet/setout_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "res/resource.h"
#include "tests/ui/sheet/setout_files.h"
#include "ui/calc/calc_dialog.h"
#include "ui/sheet/column_layout_dialog.h"
#include "ui/sheet/print_preview.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_reading.h"
#include "ui/sheet/sketch_widget.h"

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
  const SheetRequest request = files.requestWithoutColumns();
  window.load(request);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() && window.sheet()->rows.size() == 2; }));
  EXPECT_TRUE(window.model()
                  .index(0, CSheetModel::kAzimuth)
                  .data()
                  .toString()
                  .startsWith("ERROR: P1: read as north, east"));
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

TEST_F(SetoutWindowTest, CtrlCCopiesTheSelectedRowsForASpreadsheet) {
  QTableView& table = window.table();
  table.setFocus();
  table.selectRow(0);
  QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
  QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
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
  auto* station = window.findChildren<QComboBox*>().at(1);  // after the station's kind
  station->setFocus();
  QTest::keyClick(station, Qt::Key_Return);
  EXPECT_FALSE(window.findChild<QProgressBar*>()->isVisibleTo(&window));

  station->lineEdit()->selectAll();
  QTest::keyClicks(station, "A9");
  QTest::keyClick(station, Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() == nullptr; }));
  EXPECT_EQ(window.model().rowCount(), 0);
  QLabel* check = nullptr;
  for (QLabel* label : window.findChildren<QLabel*>())
    if (label->text().startsWith(QStringLiteral("无法计算"))) check = label;
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->text(), "无法计算：--station-point: no point A9 in " + files.control);
  EXPECT_EQ(check->palette().color(QPalette::WindowText), QColor(200, 0, 0));
}

// A file that is no coordinate file: a message box, and the sheet stays.
TEST_F(SetoutWindowTest, AFileThatIsNoTextGivesAMessageAndKeepsTheSheet) {
  const auto shown = window.sheet();
  QFile picture(files.design);
  ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
  picture.write(QByteArray("GIF89a\0\0\x01", 9));
  picture.close();
  QString message;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      message = box->text();
      box->close();
    }
  });
  closer.start(10);
  window.load(files.request());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !message.isEmpty(); }));
  EXPECT_TRUE(message.endsWith("design.csv 不是文本文件，不能作为坐标文件读取。"))
      << message.toStdString();
  EXPECT_EQ(window.sheet(), shown);
  EXPECT_EQ(status(), "7 个点，2 行有误");
}

// The layout box names each column's role over the file's first rows, picks
// the preset a list is, and takes only a list the reader takes.
TEST(ColumnLayout, HeadingsPresetAndOkFollowTheList) {
  const QList<QStringList> rows = {{"K1", "", "500012.345", "3350108.210", "21.300"}};
  CColumnLayoutDialog dialog(rows, QString(), QStringLiteral("name,code,y,x,h"), CheckColumns);
  auto* list = dialog.findChild<QLineEdit*>();
  auto* preview = dialog.findChild<QTableWidget*>();
  auto* presets = dialog.findChild<QComboBox*>();
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_TRUE(list && preview && presets && buttons);
  const struct {
    const char* typed;
    QStringList headings;
    const char* preset;  // the box's text; "" for none
    bool ok;
  } cases[] = {
      {"name,code,y,x,h", {"点名", "编码", "东 Y", "北 X", "高程"}, "name,code,y,x,h", true},
      {"name,x,y", {"点名", "北 X", "东 Y", "（多余）", "（多余）"}, "name,x,y", true},
      {"name,-,y,x,-", {"点名", "（不读）", "东 Y", "北 X", "（不读）"}, "", true},
      {"name,code,east,x,h", {"点名", "编码", "？east", "北 X", "高程"}, "", false},
  };
  for (const auto& given : cases) {
    list->clear();
    QTest::keyClicks(list, given.typed);
    QStringList headings;
    for (int column = 0; column < preview->columnCount(); ++column)
      headings << preview->horizontalHeaderItem(column)->text();
    EXPECT_EQ(headings, given.headings) << given.typed;
    EXPECT_EQ(presets->currentData().toString(), given.preset) << given.typed;
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->isEnabled(), given.ok) << given.typed;
  }
  EXPECT_EQ(dialog.columns(), "name,code,east,x,h");
}

// The tests run from a folder with no printing module beside it: printing
// then says why it cannot, and paints nothing.
TEST(PrintPreview, WithoutItsModuleSaysWhyAndPaintsNothing) {
  bool painted = false;
  const QString problem = ShowPrintPreview(nullptr, QStringLiteral("放样表"),
                                           [&](QPagedPaintDevice&) { painted = true; });
  EXPECT_TRUE(problem.startsWith(QStringLiteral("无法打印："))) << problem.toStdString();
  EXPECT_FALSE(painted);
}

// The calculator is application-modal; its own windows are not blocked by it.
// The click goes the way a real one does, through the window system, where
// a window blocked by a modal one would never see it.
TEST(SetoutBesideCalculator, OpensFromTheWindowMenuAndTakesClicksWhileTheFormIsModal) {
  SetoutFiles files;
  CCalcDialog calc;
  calc.setWindowModality(Qt::ApplicationModal);
  calc.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  calc.OnSysCommand(IDM_SETOUT);
  auto* setout = calc.findChild<CSetoutWindow*>();
  ASSERT_NE(setout, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(setout));
  calc.OnSysCommand(IDM_SETOUT);  // a second time: the same window
  EXPECT_EQ(calc.findChildren<CSetoutWindow*>().size(), 1);
  setout->load(files.request());
  ASSERT_TRUE(QTest::qWaitFor([&] { return setout->sheet() != nullptr; }));
  CSketchWidget& sketch = setout->sketch();
  const SheetRows::Point k2 = setout->sheet()->rows.point(1);
  const QPoint at = sketch.frame().toArea(k2.x, k2.y, QRectF(sketch.rect())).toPoint();
  QTest::mouseClick(setout->windowHandle(), Qt::LeftButton, {}, sketch.mapTo(setout, at));
  EXPECT_EQ(setout->table().currentIndex().row(), 1);
  EXPECT_EQ(QApplication::activeModalWidget(), &calc);
}

}  // namespace
