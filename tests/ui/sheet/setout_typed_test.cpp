// The 放样表 as typed: what the fields show is what the table, the CSV, the
// PDF and the print preview take, Enter or not; coordinates show in fixed
// notation; the columns keep their order; the points stay listed while the
// station is not found, and a sheet sent from the road lists its stakes.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

#include "tests/ui/sheet/setout_files.h"
#include "ui/common/window_look.h"
#include "ui/sheet/point_name_box.h"
#include "ui/sheet/print_preview.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_table.h"
#include "ui/sheet/station_panel.h"

namespace {

// Calls `answer` with the next modal dialog once it shows.
struct DialogCatcher {
  explicit DialogCatcher(std::function<void(QDialog&)> answer) {
    QObject::connect(&timer, &QTimer::timeout, [this, answer] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog && !std::exchange(seen, true)) answer(*dialog);
    });
    timer.start(10);
  }
  QTimer timer;
  bool seen = false;
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

  QString checkLine() const { return window.findChild<QLabel*>("checkLine")->text(); }

  // Whether the check boxes come first, then the model's columns in order.
  bool columnsInOrder() const {
    const QHeaderView& header = *window.table().horizontalHeader();
    for (int column = 0; column <= window.model().tickColumn(); ++column)
      if (header.visualIndex(column) != (column + 1) % (window.model().tickColumn() + 1))
        return false;
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
  typeOver(height, QStringLiteral("2.5"));
  {
    DialogCatcher catcher([&](QDialog& dialog) {
      taken = target();
      dynamic_cast<QFileDialog&>(dialog).selectFile(csv);
      dialog.accept();
    });
    action(QStringLiteral("导出 CSV(&E)...")).trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(csv); }));
  }
  EXPECT_EQ(taken, 2.5);
  QFile written(csv);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(written.readAll());
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return catcher.seen; }));
  }
  EXPECT_EQ(taken, 2.6);

  // 导出 PDF asks for its file as 导出 CSV does, on the fields as typed.
  typeOver(height, QStringLiteral("2.7"));
  {
    DialogCatcher catcher([&](QDialog& dialog) {
      taken = target();
      dialog.reject();
    });
    action(QStringLiteral("导出 PDF(&D)...")).trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return catcher.seen; }));
  }
  EXPECT_EQ(taken, 2.7);
}

// The table follows what is typed a moment after the last key; a field that
// does not read is marked at once, and a command then says what is wrong.
TEST_F(SetoutTypedTest, TheTableFollowsTypingAndAFieldThatDoesNotReadIsMarked) {
  QLineEdit& height = field(QStringLiteral("目标高(&T):"));
  typeOver(height, QStringLiteral("2.5"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return target() == 2.5; }));
  typeOver(height, QStringLiteral("1.8X"));
  EXPECT_EQ(height.palette().color(QPalette::Text), ErrorColour());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() == nullptr; }));
  EXPECT_EQ(checkLine(), QStringLiteral("目标高不是数字：1.8X"));
}

TEST(ShortestText, WritesFixedNotationWithTheShortestDigits) {
  EXPECT_EQ(ShortestText(500000), "500000");
  EXPECT_EQ(ShortestText(2514230.762), "2514230.762");
  EXPECT_EQ(ShortestText(0.001, 4), "0.0010");
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

  boxes[0]->lineEdit()->selectAll();
  QTest::keyClicks(boxes[0]->lineEdit(), QStringLiteral("ZZ"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.sheet() == nullptr; }));
  EXPECT_EQ(checkLine(), QStringLiteral("测站点名 ZZ 不在 ctl.dat 中"));
  EXPECT_EQ(window.model().rowCount(), 7);
  EXPECT_TRUE(columnsInOrder());
}

// A sheet of stakes sent after a free station on another file: its stakes
// are listed and the setup asked for.
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
}

}  // namespace
