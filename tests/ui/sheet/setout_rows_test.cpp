// The 放样表's rows as a crew works through them, offscreen: sorted by a
// heading and narrowed by code and name, each keeping its file line; the
// walk from the station leaves ticked points out and is drawn in the sketch;
// before a station is chosen the points are listed and drawn; a long name
// far down a file shows whole; the control file can be removed, and while
// one is read a design point can still be the station.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "tests/ui/sheet/setout_files.h"
#include "ui/sheet/row_filter_bar.h"
#include "ui/sheet/row_order_controls.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sketch_widget.h"
#include "ui/sheet/station_panel.h"

namespace {

class SetoutRowsTest : public testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  void load(const reading::SheetRequest& request) {
    const auto before = window.model().sheet();
    window.load(request);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window.model().sheet() && window.model().sheet() != before; }));
  }

  // The file lines of the rows as the row headers show them.
  std::vector<int> lines() const {
    std::vector<int> shown;
    for (int row = 0; row < window.model().rowCount(); ++row)
      shown.push_back(window.model().headerData(row, Qt::Vertical).toInt());
    return shown;
  }

  // Waits for the rows to show `expected`.
  bool showLines(const std::vector<int>& expected) {
    if (QTest::qWaitFor([&] { return lines() == expected; })) return true;
    for (const int line : lines()) std::cerr << line << ' ';
    std::cerr << '\n';
    return false;
  }

  void clickHeading(int column) {
    QHeaderView* header = window.table().horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  }

  QPoint pointOf(std::size_t row) const {
    const SheetRows::Point ground = window.model().sheet()->rows.point(row);
    CSketchWidget& sketch = window.sketch();
    return sketch.frame().toArea(ground.x, ground.y, QRectF(sketch.rect())).toPoint();
  }

  SetoutFiles files;
  CSetoutWindow window;
};

// The design file's lines 3 to 9: K1, K2 (kerb), "K3, gate", K4, S7
// (failed), K5 (failed), 桩6 (路缘).
TEST_F(SetoutRowsTest, SortingAndFilteringKeepEachRowsLine) {
  load(files.request());
  clickHeading(CSheetModel::kName);
  EXPECT_TRUE(showLines({3, 4, 5, 6, 8, 7, 9}));
  EXPECT_EQ(window.table().horizontalHeader()->sortIndicatorSection(), CSheetModel::kName);
  clickHeading(CSheetModel::kName);
  EXPECT_TRUE(showLines({9, 7, 8, 6, 5, 4, 3}));
  clickHeading(CSheetModel::kDistance);  // 桩6 14.142 m ... K1 108.912 m; failed rows last
  EXPECT_TRUE(showLines({9, 6, 5, 4, 3, 7, 8}));
  EXPECT_EQ(window.model().index(0, CSheetModel::kName).data().toString(), "桩6");

  auto* filters = window.findChild<CRowFilterBar*>();
  ASSERT_NE(filters, nullptr);
  auto* code = filters->findChild<QComboBox*>();
  auto* name = filters->findChild<QLineEdit*>();
  ASSERT_TRUE(code && name);
  QStringList codes;
  for (int i = 0; i < code->count(); ++i) codes << code->itemText(i);
  EXPECT_EQ(codes, QStringList({"（全部）", "（无编码）", "kerb", "路缘"}));
  code->setCurrentIndex(1);
  EXPECT_TRUE(showLines({6, 5, 3, 7, 8}));  // by distance still
  QTest::keyClicks(name, "k");
  EXPECT_TRUE(showLines({6, 5, 3, 8}));
  code->setCurrentIndex(0);
  EXPECT_TRUE(showLines({6, 5, 4, 3, 8}));
  // The corner over the row numbers: file order again, the filter kept.
  QTest::mouseClick(window.table().findChild<QAbstractButton*>(), Qt::LeftButton);
  EXPECT_TRUE(showLines({3, 4, 5, 6, 8}));
  EXPECT_EQ(window.table().horizontalHeader()->sortIndicatorSection(), -1);
  // A row selected stays selected through a new order.
  window.table().selectRow(3);  // K4
  clickHeading(CSheetModel::kAzimuth);
  EXPECT_TRUE(showLines({3, 4, 5, 6, 8}));  // K1 6°, K2 53°, K3 90°, K4 211°; K5 failed
  EXPECT_EQ(window.model().sheetRow(window.table().currentIndex().row()), 3);
  EXPECT_EQ(window.sketch().selectedRow(), 3);
}

// 路线 from A1: K1 is ticked off and S7, K5 fail, so the walk is 桩6 (14 m),
// "K3, gate", K2, K4; the other rows follow it. The sketch draws it.
TEST_F(SetoutRowsTest, TheRouteLeavesTickedPointsOutAndIsDrawn) {
  load(files.request());
  window.model().setData(window.model().index(0, window.model().tickColumn()), Qt::Checked,
                         Qt::CheckStateRole);
  auto* route = window.findChild<QAction*>();
  for (QAction* action : window.findChildren<QAction*>())
    if (action->text() == QStringLiteral("路线(&R)")) route = action;
  ASSERT_TRUE(route->isEnabled());
  route->trigger();
  EXPECT_TRUE(showLines({9, 5, 4, 6, 3, 7, 8}));
  ASSERT_TRUE(window.sketch().route());
  EXPECT_EQ(*window.sketch().route(), (std::vector<std::uint32_t>{6, 2, 1, 3}));
  // The thin line between "K3, gate" and K2, halfway.
  const QImage drawn = window.sketch().grab().toImage();
  const QPoint middle = (pointOf(2) + pointOf(1)) / 2;
  bool line = false;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      line = line || drawn.pixelColor(middle + QPoint(dx, dy)) == QColor(0, 140, 190);
  EXPECT_TRUE(line);
  // A new station walks again from there; 路线 off: file order, no line.
  reading::SheetRequest request = files.request();
  request.setup = reading::StationAndBacksight{reading::PointName{"A2"}, reading::PointName{"A1"}};
  load(request);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.sketch().route() != nullptr; }));
  // S7, on A1, is a point like the others now.
  EXPECT_EQ(*window.sketch().route(), (std::vector<std::uint32_t>{1, 2, 6, 4, 3}));
  route->trigger();
  EXPECT_TRUE(showLines({3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(window.sketch().route(), nullptr);
}

// Without a station the table lists the points with their coordinates and
// the sketch draws them, saying to choose the station.
TEST_F(SetoutRowsTest, BeforeAStationIsChosenThePointsAreListedAndDrawn) {
  reading::SheetRequest request = files.request();
  request.setup.reset();
  EXPECT_EQ(window.sketch().emptyText(), "打开坐标文件后，这里显示放样示意图");
  window.load(request);
  // Being read, the file is no longer to be opened.
  EXPECT_EQ(window.sketch().emptyText(), "正在读取 design.csv ...");
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.model().sheet() != nullptr; }));
  EXPECT_EQ(window.sheet(), nullptr);
  CSheetModel& model = window.model();
  ASSERT_EQ(model.rowCount(), 7);
  // 点名, 编码, 设计X, 设计Y, 设计高程 and the check boxes.
  ASSERT_EQ(model.columnCount(), 6);
  EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "设计X");
  EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), "设计Y");
  EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), "设计高程");
  for (int column = 0; column < model.columnCount(); ++column)
    EXPECT_FALSE(window.table().isColumnHidden(column)) << column;
  const struct {
    int row;
    const char* name;
    const char* x;
    const char* y;
    const char* height;
  } rows[] = {
      {0, "K1", "3350108.210", "500012.345", "21.300"},
      {4, "S7", "3350000.000", "500000.000", "20.500"},  // on A1: no matter yet
      {6, "桩6", "3349990.000", "500010.000", "20.000"},
  };
  for (const auto& given : rows) {
    EXPECT_EQ(model.index(given.row, CSheetModel::kName).data().toString(), given.name);
    EXPECT_EQ(model.index(given.row, 2).data().toString(), given.x);
    EXPECT_EQ(model.index(given.row, 3).data().toString(), given.y);
    EXPECT_EQ(model.index(given.row, 4).data().toString(), given.height);
  }
  EXPECT_TRUE(model.failed(5));  // K5's typo
  const QImage drawn = window.sketch().grab().toImage();
  EXPECT_EQ(drawn.pixelColor(pointOf(1)), QColor(40, 40, 40));  // K2
  int blue = 0;  // the line over the plan saying to choose the station
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < drawn.width(); ++x) blue += drawn.pixelColor(x, y).blue() > 150;
  EXPECT_GT(blue, 30);
  for (QAction* action : window.findChildren<QAction*>())
    if (action->text() == QStringLiteral("路线(&R)")) {
      EXPECT_FALSE(action->isEnabled());
    }
}

// A name far down a big file, past the rows Qt measures, shows whole.
TEST_F(SetoutRowsTest, ALongNameFarDownABigFileShowsWhole) {
  QFile design(files.design);
  ASSERT_TRUE(design.open(QIODevice::WriteOnly));
  const QString longName = QStringLiteral("P999桩号K12+345.678左侧边桩");
  for (int i = 1; i <= 3000; ++i) {
    const QString name = i == 2500 ? longName : QStringLiteral("P%1").arg(i);
    design.write(QStringLiteral("%1,,500012.345,3350108.210,21.3\n").arg(name).toUtf8());
  }
  design.close();
  load(files.request());
  const int needed = window.table().fontMetrics().horizontalAdvance(longName);
  EXPECT_GT(window.table().columnWidth(CSheetModel::kName), needed);
}

// While a control file is read, a design point can be the station; 移除
// looks names up in the design file alone again.
TEST_F(SetoutRowsTest, ADesignPointIsAStationBesideTheControlFileWhichCanBeRemoved) {
  load(files.request());
  CStationPanel& panel = window.panel();
  panel.showSetup({reading::PointName{"K4"}, reading::PointName{"A2"}});
  const auto before = window.sheet();
  emit panel.changed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() && window.sheet() != before; }));
  EXPECT_EQ(window.sheet()->station.name, "K4");
  EXPECT_EQ(window.sheet()->station.x, 3349920.25);
  QPushButton* remove = nullptr;
  for (QPushButton* button : panel.findChildren<QPushButton*>())
    if (button->text() == QStringLiteral("移除(&X)")) remove = button;
  ASSERT_TRUE(remove && remove->isVisible());
  QTest::mouseClick(remove, Qt::LeftButton);
  const QLabel* check = window.findChild<QLabel*>(QStringLiteral("checkLine"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return check->text() == "后视点名 A2 不在 design.csv 中"; }))
      << check->text().toStdString();
  EXPECT_FALSE(remove->isVisible());
}

}  // namespace
