// The 放样表 as typed: what the fields show is what the table, the CSV, the
// PDF and the print preview take, Enter or not; coordinates show in fixed
// notation; the columns keep their order; the points stay listed while the
// station is not found, and a sheet sent from the road lists its stakes;
// failed rows are said in Chinese in the table, its tooltips and the CSV.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "tests/ui/sheet/setout_files.h"
#include "ui/sheet/point_name_box.h"
#include "ui/sheet/print_preview.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_table.h"
#include "ui/sheet/station_panel.h"

namespace {

// Calls `answer` with the next modal dialog once it shows.
class DialogCatcher {
 public:
  explicit DialogCatcher(std::function<void(QDialog&)> answer) : m_answer(std::move(answer)) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || m_seen) return;
      m_seen = true;
      m_answer(*dialog);
    });
    m_timer.start(10);
  }
  bool seen() const { return m_seen; }

 private:
  std::function<void(QDialog&)> m_answer;
  QTimer m_timer;
  bool m_seen = false;
};

class SetoutTypedTest : public testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    reading::SheetRequest request = files.request();
    request.heights = reading::SightHeights{20.0, 1.5, 1.8, false};
    window.load(request);
    ASSERT_TRUE(QTest::qWaitFor([&] { return target() == 1.8; }));
  }

  // The target height of the sheet shown, 0 where none is.
  double target() const {
    const auto sheet = window.sheet();
    return sheet && sheet->settings.heights ? sheet->settings.heights->targetHeight : 0.0;
  }

  // The field whose label is `label`.
  QLineEdit& field(const QString& label) const {
    for (QLabel* buddy : window.panel().findChildren<QLabel*>())
      if (buddy->text() == label) return *qobject_cast<QLineEdit*>(buddy->buddy());
    ADD_FAILURE() << label.toStdString();
    return *window.panel().findChild<QLineEdit*>();
  }

  // Types `text` over the field, without Enter and without leaving it.
  void typeOver(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, text);
  }

  QAction& action(const QString& text) const {
    for (QAction* action : window.findChildren<QAction*>())
      if (action->text() == text) return *action;
    ADD_FAILURE() << text.toStdString();
    return *window.findChildren<QAction*>().front();
  }

  QString checkLine() const {
    return window.findChild<QLabel*>(QStringLiteral("checkLine"))->text();
  }

  // Whether the check boxes come first and the model's columns follow in
  // their order.
  bool columnsInOrder() const {
    const QHeaderView& header = *window.table().horizontalHeader();
    const int ticks = window.model().tickColumn();
    if (header.visualIndex(ticks) != 0) return false;
    for (int column = 0; column < ticks; ++column)
      if (header.visualIndex(column) != column + 1) return false;
    return true;
  }

  SetoutFiles files;
  CSetoutWindow window;
};

// 目标高 changed from 1.8 to 2.5 and not confirmed: the CSV from the toolbar,
// the print preview (Ctrl+P) and the PDF each take 2.5.
TEST_F(SetoutTypedTest, EachOutputTakesTheHeightAsTypedWithoutEnter) {
  QLineEdit& height = field(QStringLiteral("目标高(&T):"));
  const QString csv = files.folder.filePath(QStringLiteral("typed.csv"));
  double taken = 0.0;
  const auto save = [&](const QString& path) {
    return [&, path](QDialog& dialog) {
      taken = target();
      auto& box = dynamic_cast<QFileDialog&>(dialog);
      box.selectFile(path);
      static_cast<QDialog&>(box).accept();
    };
  };
  typeOver(height, QStringLiteral("2.5"));
  {
    DialogCatcher catcher(save(csv));
    action(QStringLiteral("导出 CSV(&E)...")).trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(csv); }));
  }
  EXPECT_EQ(taken, 2.5);
  QFile written(csv);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(written.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("目标高 2.500"))) << text.toStdString();
  // K1 at 21.300 from a station at 20.000 with an instrument of 1.500:
  // ΔH = 21.300 + 2.500 - 20.000 - 1.500 is 2.300 less the target's 2.5.
  EXPECT_TRUE(text.contains(QStringLiteral(",21.300,2.300,"))) << text.toStdString();

  typeOver(height, QStringLiteral("2.6"));
  {
    DialogCatcher catcher([&](QDialog& dialog) {
      taken = target();
      EXPECT_NE(qobject_cast<CPrintPreview*>(&dialog), nullptr);
      dialog.reject();
    });
    action(QStringLiteral("打印(&P)...")).trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return catcher.seen(); }));
  }
  EXPECT_EQ(taken, 2.6);

  const QString pdf = files.folder.filePath(QStringLiteral("typed.pdf"));
  typeOver(height, QStringLiteral("2.7"));
  {
    DialogCatcher catcher(save(pdf));
    action(QStringLiteral("导出 PDF(&D)...")).trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(pdf); }));
  }
  EXPECT_EQ(taken, 2.7);
}

// The table follows what is typed a moment after the last key; a field that
// does not read is marked at once, and a command then says what is wrong.
TEST_F(SetoutTypedTest, TheTableFollowsTypingAndAFieldThatDoesNotReadIsMarked) {
  QLineEdit& height = field(QStringLiteral("目标高(&T):"));
  typeOver(height, QStringLiteral("2.5"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return target() == 2.5; }));
  EXPECT_EQ(height.palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
  typeOver(height, QStringLiteral("1.8X"));
  EXPECT_EQ(height.palette().color(QPalette::Text), ErrorColour());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() == nullptr; }));
  EXPECT_EQ(checkLine(), QStringLiteral("目标高不是数字：1.8X"));
}

// The station typed as coordinates and not confirmed: the CSV's heading
// line gives the station as typed.
TEST_F(SetoutTypedTest, TheStationAsTypedIsTheOneExported) {
  reading::StationAndBacksight setup{reading::Point{3350000, 500000}, reading::PackedAzimuth{0}};
  window.panel().showSetup(setup);
  emit window.panel().changed();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() && window.sheet()->station.name.isEmpty(); }));
  QLineEdit* y = nullptr;
  for (QLineEdit* edit : window.panel().findChildren<QLineEdit*>())
    if (edit->placeholderText() == QStringLiteral("Y（东）") && edit->isVisible() && !y) y = edit;
  ASSERT_NE(y, nullptr);
  EXPECT_EQ(y->text(), QStringLiteral("500000"));  // never 5e+05
  typeOver(*y, QStringLiteral("500010"));
  const QString csv = files.folder.filePath(QStringLiteral("station.csv"));
  DialogCatcher catcher([&](QDialog& dialog) {
    auto& box = dynamic_cast<QFileDialog&>(dialog);
    box.selectFile(csv);
    static_cast<QDialog&>(box).accept();
  });
  action(QStringLiteral("导出 CSV(&E)...")).trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(csv); }));
  QFile written(csv);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(QString::fromUtf8(written.readAll())
                  .contains(QStringLiteral("测站   X 3350000.000  Y 500010.000")));
}

TEST(ShortestText, WritesFixedNotationWithTheShortestDigits) {
  EXPECT_EQ(ShortestText(500000), "500000");
  EXPECT_EQ(ShortestText(400000), "400000");
  EXPECT_EQ(ShortestText(2514230), "2514230");
  EXPECT_EQ(ShortestText(2514230.762), "2514230.762");
  EXPECT_EQ(ShortestText(0.0000001), "0.0000001");
  EXPECT_EQ(ShortestText(0.001, 4), "0.0010");
  EXPECT_EQ(ShortestText(45, 4), "45.0000");
}

// Typing A1 and A2 into a listed sheet, then a station that is not known:
// the check boxes stay first and the columns in the sheet's order; the
// points stay listed beside the message.
TEST_F(SetoutTypedTest, ColumnsKeepTheirOrderAndAnUnknownStationLeavesThePointsListed) {
  auto boxes = window.panel().findChildren<CPointNameBox*>();
  ASSERT_EQ(boxes.size(), 2);
  for (CPointNameBox* box : boxes) {
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
  }
  ASSERT_TRUE(QTest::qWaitFor([&] {
    return window.model().sheet() && window.model().sheet()->listed;
  }));
  EXPECT_TRUE(columnsInOrder());
  for (int i = 0; i < 2; ++i) {
    boxes[i]->lineEdit()->setFocus();
    QTest::keyClicks(boxes[i]->lineEdit(), i == 0 ? QStringLiteral("A1") : QStringLiteral("A2"));
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() != nullptr; }));
  EXPECT_TRUE(columnsInOrder());
  EXPECT_EQ(window.model().headerData(window.table().horizontalHeader()->logicalIndex(1),
                                      Qt::Horizontal),
            QStringLiteral("点名"));

  boxes[0]->lineEdit()->selectAll();
  QTest::keyClicks(boxes[0]->lineEdit(), QStringLiteral("ZZ"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() == nullptr; }));
  EXPECT_EQ(checkLine(), QStringLiteral("测站点名 ZZ 不在 ctl.dat 中"));
  ASSERT_TRUE(window.model().sheet());
  EXPECT_EQ(window.model().rowCount(), 7);
  EXPECT_TRUE(columnsInOrder());
  EXPECT_EQ(window.statusBar()->findChildren<QLabel*>().front()->text(),
            QStringLiteral("7 个点，1 行有误"));
}

// A sheet of stakes sent after a free station on another file: its stakes
// are listed and the setup asked for; a station among them is kept.
TEST(SentSheet, ListsItsStakesAndKeepsOnlyASetupOfItsOwnPoints) {
  SetoutFiles files;
  CSetoutWindow window;
  window.show();
  reading::OrientedStation free;
  free.method = reading::OrientedStation::Method::kFree;
  free.sightings = {{"GPS1", 0.0, 100.0}, {"GPS2", 90.0, 120.0}, {"GPS3", 180.0, 90.0}};
  window.panel().showSetup(free);
  std::vector<reading::DesignPoint> stakes;
  for (int i = 0; i < 5; ++i)
    stakes.push_back({"K0+" + std::to_string(i * 20), "", {3350000.0 + i * 20, 500000.0}, 20.0});
  window.loadPoints(QStringLiteral("road 桩位"), stakes);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.model().sheet() != nullptr; }));
  EXPECT_TRUE(window.model().sheet()->listed);
  EXPECT_EQ(window.model().rowCount(), 5);
  EXPECT_TRUE(window.panel().oriented().sightings.empty());
  EXPECT_EQ(window.statusBar()->findChildren<QLabel*>().front()->text(),
            QStringLiteral("5 个点，0 行有误"));

  window.panel().showSetup(reading::StationAndBacksight{reading::PointName{"K0+0"},
                                                        reading::PointName{"K0+80"}});
  window.loadPoints(QStringLiteral("road 桩位"), stakes);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() != nullptr; }));
  EXPECT_EQ(window.sheet()->station.name, QStringLiteral("K0+0"));
}

// S7 on the station and K5's east "500030.5O": the table, the tooltip and
// the CSV name the row and the field in Chinese; the CSV's heading line is
// Chinese after its byte-order mark.
TEST_F(SetoutTypedTest, FailedRowsAreSaidInChineseByRowAndField) {
  const CSheetModel& model = window.model();
  const QString onStation = QStringLiteral("第 7 行：测站与该点重合");
  const QString notANumber = QStringLiteral("第 8 行：东坐标 Y 不是数字：“500030.5O”");
  EXPECT_EQ(model.index(4, CSheetModel::kAzimuth).data().toString(), onStation);
  EXPECT_EQ(model.index(4, CSheetModel::kName).data(Qt::ToolTipRole).toString(), onStation);
  EXPECT_EQ(model.index(5, CSheetModel::kAzimuth).data().toString(), notANumber);
  const QString csv = files.folder.filePath(QStringLiteral("errors.csv"));
  DialogCatcher catcher([&](QDialog& dialog) {
    auto& box = dynamic_cast<QFileDialog&>(dialog);
    box.selectFile(csv);
    static_cast<QDialog&>(box).accept();
  });
  action(QStringLiteral("导出 CSV(&E)...")).trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(csv); }));
  QFile written(csv);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray bytes = written.readAll();
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF# design points, exported 2026-12-01\n"));
  const QStringList lines = QString::fromUtf8(bytes).split('\n');
  ASSERT_GE(lines.size(), 10);
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("# 测站 A1  X 3350000.000  Y 500000.000    后视 A2")))
      << lines[1].toStdString();
  EXPECT_TRUE(lines[1].contains(QStringLiteral("目标高 1.800"))) << lines[1].toStdString();
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("点名,编码,方位角")));
  EXPECT_EQ(lines[7], QStringLiteral("S7,,") + onStation);
  EXPECT_EQ(lines[8], QStringLiteral("K5,,") + notANumber);
}

}  // namespace
