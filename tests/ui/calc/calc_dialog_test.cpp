// The calculator as a user meets it: typing into the fields, clicking and
// pressing keys, and reading back what the form shows.

#include "ui/calc/calc_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "res/resource.h"
#include "ui/calc/about_box.h"
#include "ui/calc/dialog_template.h"

namespace {

// What the identical-points warning showed before the test closed it.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  int buttonCount;
  bool ownedByDialog;
  QString face;  // the face its text resolved to
  QString button;
};

class CalcDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  }

  QLineEdit* field(int id) { return qobject_cast<QLineEdit*>(dialogItem(dialog, id)); }
  QString text(int id) { return field(id)->text(); }
  QString caption(int id) { return qobject_cast<QLabel*>(dialogItem(dialog, id))->text(); }
  bool enabled(int id) { return dialogItem(dialog, id)->isEnabled(); }
  static int focusedId() { return QApplication::focusWidget()->property("dialogItemId").toInt(); }
  bool checked(int id) {
    return qobject_cast<QAbstractButton*>(dialogItem(dialog, id))->isChecked();
  }

  void type(int id, const QString& value) {
    field(id)->clear();
    QTest::keyClicks(field(id), value);
  }
  void click(int id) { QTest::mouseClick(dialogItem(dialog, id), Qt::LeftButton); }

  void typeForward(const char* x0, const char* y0, const char* azimuth, const char* distance) {
    type(IDC_START_X, x0);
    type(IDC_START_Y, y0);
    type(IDC_AZIMUTH, azimuth);
    type(IDC_DISTANCE, distance);
  }

  // Presses the compute button and, if a message box opens, reads and closes it.
  std::optional<SeenBox> computeWatchingForBox() {
    std::optional<SeenBox> seen;
    QTimer::singleShot(0, &dialog, [&] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (!box || !box->isVisible()) continue;
        seen = SeenBox{box->windowTitle(),
                       box->text(),
                       box->icon(),
                       static_cast<int>(box->buttons().size()),
                       box->parentWidget() == &dialog,
                       QFontInfo(box->font()).family(),
                       box->button(QMessageBox::Ok)->text()};
        box->button(QMessageBox::Ok)->click();
      }
    });
    click(IDOK);
    QCoreApplication::processEvents();
    return seen;
  }

  // Runs `press` and reports whether an about box opened meanwhile; one
  // that did is closed, so that `press` returns.
  bool opensAboutBox(const std::function<void()>& press) {
    bool opened = false;
    QTimer::singleShot(0, &dialog, [&] {
      for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* box = dynamic_cast<CAboutBox*>(window); box && box->isVisible()) {
          opened = true;
          box->reject();
        }
    });
    press();
    QCoreApplication::processEvents();
    return opened;
  }

  CCalcDialog dialog;
};

// --- Start state -------------------------------------------------------

TEST_F(CalcDialogTest, OpensInForwardModeWithEmptyFields) {
  EXPECT_EQ(dialog.windowTitle(), "Corvane");
  EXPECT_TRUE(checked(IDC_MODE_FORWARD));
  EXPECT_FALSE(checked(IDC_MODE_INVERSE));
  EXPECT_EQ(caption(IDC_TITLE), "坐标的正算和反算");
  EXPECT_EQ(caption(IDC_CAPTION_X), "结果X");
  EXPECT_EQ(caption(IDC_CAPTION_Y), "结果Y");
  EXPECT_EQ(caption(IDC_CAPTION_AZIMUTH), "已知方位角");
  EXPECT_EQ(caption(IDC_CAPTION_DISTANCE), "已知距离");
  for (int id : {IDC_START_X, IDC_START_Y, IDC_AZIMUTH, IDC_DISTANCE})
    EXPECT_TRUE(enabled(id)) << id;
  for (int id : {IDC_RESULT_X, IDC_RESULT_Y}) EXPECT_FALSE(enabled(id)) << id;
  for (int id : {IDC_START_X, IDC_START_Y, IDC_AZIMUTH, IDC_DISTANCE, IDC_RESULT_X, IDC_RESULT_Y})
    EXPECT_TRUE(text(id).isEmpty()) << id;
  EXPECT_FALSE(dialog.windowIcon().isNull());
  const QPoint offCentre =
      dialog.frameGeometry().center() - dialog.screen()->availableGeometry().center();
  EXPECT_LE(offCentre.manhattanLength(), 1);
}

TEST_F(CalcDialogTest, TheTwoPlainLabelsShowTheirBlanks) {
  QStringList texts;
  for (QLabel* label : dialog.findChildren<QLabel*>())
    if (label->property("dialogItemId") == IDC_STATIC) texts << label->text();
  EXPECT_EQ(texts, QStringList({" 起点X", " 起点Y "}));
}

// Disabled fields are passed over; the checked mode button, which has no
// tab stop in the template, comes last.
TEST_F(CalcDialogTest, ComputeButtonHasTheFocusAndTabFollowsTheTemplate) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  ASSERT_EQ(QApplication::focusWidget(), dialogItem(dialog, IDOK));
  QList<int> order;
  for (int i = 0; i < 8; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order << focusedId();
  }
  EXPECT_EQ(order, QList<int>({IDCANCEL, IDC_START_X, IDC_START_Y, IDC_AZIMUTH, IDC_DISTANCE,
                               IDC_ABOUT, IDC_MODE_FORWARD, IDOK}));
}

// Shift+Tab from "计算" reaches the checked mode; the arrow keys pick the
// other one, round the pair, and the Tab order follows the checked one.
TEST_F(CalcDialogTest, TheKeyboardReachesTheModeAndArrowKeysSwitchIt) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(focusedId(), IDC_MODE_FORWARD);
  int mode = IDC_MODE_FORWARD;
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left}) {
    mode = mode == IDC_MODE_FORWARD ? IDC_MODE_INVERSE : IDC_MODE_FORWARD;  // one of two
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(focusedId(), mode) << key;
    EXPECT_TRUE(checked(mode)) << key;
    EXPECT_EQ(caption(IDC_CAPTION_X), mode == IDC_MODE_INVERSE ? "终点X" : "结果X") << key;
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(focusedId(), IDOK);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(focusedId(), IDC_MODE_INVERSE);
}

TEST_F(CalcDialogTest, FixedSizeAndControlsPlacedByDialogUnits) {
  QFontMetrics metrics(dialog.font());
  const int baseX =
      (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) /
      2;
  const int baseY = metrics.height();
  const auto px = [](int du, int base, int div) { return (du * base + div / 2) / div; };
  const auto rect = [&](int x, int y, int cx, int cy) {
    return QRect(QPoint(px(x, baseX, 4), px(y, baseY, 8)),
                 QPoint(px(x + cx, baseX, 4) - 1, px(y + cy, baseY, 8) - 1));
  };
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_EQ(dialog.size(), QSize(px(213, baseX, 4), px(119, baseY, 8)));
  EXPECT_EQ(dialogItem(dialog, IDOK)->geometry(), rect(17, 99, 50, 14));
  EXPECT_EQ(dialogItem(dialog, IDC_TITLE)->geometry(), rect(58, 1, 98, 13));
  EXPECT_EQ(dialogItem(dialog, IDC_RESULT_Y)->geometry(), rect(144, 46, 66, 12));
  EXPECT_EQ(dialogItem(dialog, IDC_CAPTION_AZIMUTH)->geometry(), rect(0, 75, 42, 9));
}

// The windows that Qt builds for the program show the form's face, whatever
// face "sans-serif" is, and Qt's Chinese texts, whatever the locale.
TEST_F(CalcDialogTest, QtsOwnWindowsAreChineseInTheDialogFace) {
  const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm";
  ASSERT_TRUE(QFileInfo::exists(file))
      << file.toStdString() << " is missing: install qt6-translations-l10n (scripts/deps.sh does)";
  std::unique_ptr<QMenu> editMenu(field(IDC_START_X)->createStandardContextMenu());
  QStringList entries;
  for (const QAction* action : editMenu->actions())
    if (!action->isSeparator()) entries << action->text().section('\t', 0, 0);
  EXPECT_EQ(entries.join(' ').toStdString(),
            "撤消(&U) 重做(&R) 剪切(&T) 复制(&C) 粘贴(&P) 删除 全选");
  for (const QMenu* menu : {&dialog.windowMenu(), editMenu.get()}) {
    EXPECT_EQ(QFontInfo(menu->font()).family(), "AR PL UMing CN");
    EXPECT_EQ(menu->font().pointSize(), 9);
  }
  click(IDC_MODE_INVERSE);
  const std::optional<SeenBox> box = computeWatchingForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->button.toStdString(), "确定");
  EXPECT_EQ(box->face, "AR PL UMing CN");
}

TEST_F(CalcDialogTest, DialogFontIsTheChineseSongFaceAtNinePoints) {
  const QFont font = dialogItem(dialog, IDC_CAPTION_AZIMUTH)->font();
  EXPECT_EQ(QFontInfo(font).family(), "AR PL UMing CN");
  EXPECT_EQ(font.pointSize(), 9);
  for (QChar c : QStringLiteral("坐标正反算已知方位角距离结果终点起退出关于"))
    EXPECT_TRUE(QFontMetrics(font).inFont(c)) << int(c.unicode());
}

// --- Forward computation -----------------------------------------------

TEST_F(CalcDialogTest, ForwardByTheComputeButton) {
  typeForward("1000", "2000", "45.3025", "100");
  click(IDOK);
  EXPECT_EQ(text(IDC_RESULT_X), "1070.082282");
  EXPECT_EQ(text(IDC_RESULT_Y), "2071.333539");
  EXPECT_TRUE(enabled(IDC_RESULT_X));
  EXPECT_TRUE(enabled(IDC_RESULT_Y));
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(CalcDialogTest, ForwardByEnterInAnyInputField) {
  for (int id : {IDC_START_X, IDC_START_Y, IDC_AZIMUTH, IDC_DISTANCE}) {
    typeForward("0", "0", "180", "10");
    field(IDC_RESULT_X)->setText("stale");
    QTest::keyClick(field(id), Qt::Key_Return);
    EXPECT_EQ(text(IDC_RESULT_X), "-10.000000") << id;
    EXPECT_EQ(text(IDC_RESULT_Y), "0.000001") << id;
  }
  EXPECT_TRUE(dialog.isVisible());
}

// The buttons are owner-drawn: a focused one never becomes the default, so
// Enter computes wherever the focus is, and Space presses the focused button.
TEST_F(CalcDialogTest, EnterOnAFocusedButtonComputesAndSpacePressesIt) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  for (int id : {IDOK, IDCANCEL, IDC_ABOUT})
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
      type(IDC_START_X, "12");
      field(IDC_RESULT_X)->clear();
      QWidget* button = dialogItem(dialog, id);
      button->setFocus(Qt::BacktabFocusReason);
      ASSERT_TRUE(button->hasFocus()) << id;
      EXPECT_FALSE(opensAboutBox([&] { QTest::keyClick(button, key); })) << id;
      EXPECT_TRUE(dialog.isVisible()) << id;
      EXPECT_EQ(text(IDC_RESULT_X), "12.000000") << id << " key " << key;
      EXPECT_EQ(text(IDC_START_X), "12") << id;
    }
  QWidget* about = dialogItem(dialog, IDC_ABOUT);
  about->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(opensAboutBox([&] { QTest::keyClick(about, Qt::Key_Space); }));
  QWidget* exit = dialogItem(dialog, IDCANCEL);
  exit->setFocus(Qt::TabFocusReason);
  QTest::keyClick(exit, Qt::Key_Space);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(CalcDialogTest, ForwardWithEmptyFieldsGivesZeros) {
  click(IDOK);
  EXPECT_EQ(text(IDC_RESULT_X), "0.000000");
  EXPECT_EQ(text(IDC_RESULT_Y), "0.000000");
  EXPECT_TRUE(enabled(IDC_RESULT_X));
}

TEST_F(CalcDialogTest, OnlyTheFirst35CharactersOfAFieldCount) {
  type(IDC_START_X, QString(35, '0') + "7");   // the 7 is the 36th character
  type(IDC_START_Y, QString(34, ' ') + "12");  // only the 1 is within 35
  click(IDOK);
  EXPECT_EQ(text(IDC_RESULT_X), "0.000000");
  EXPECT_EQ(text(IDC_RESULT_Y), "1.000000");
}

TEST_F(CalcDialogTest, TextThatIsNoNumberReadsAsZero) {
  field(IDC_START_X)->setText("十二");  // Chinese numerals are no number
  type(IDC_START_Y, "12abc");
  click(IDOK);
  EXPECT_EQ(text(IDC_RESULT_X), "0.000000");
  EXPECT_EQ(text(IDC_RESULT_Y), "12.000000");
}

// What a Chinese input method typed in full width shows in ASCII once
// computed. An ideographic space is one of the 35 characters that count, as
// an ASCII blank is, not the three bytes it takes in UTF-8.
TEST_F(CalcDialogTest, FullWidthInputComputesAndShowsAsAscii) {
  field(IDC_START_X)->setText("１０００");
  field(IDC_START_Y)->setText("２０００");
  field(IDC_AZIMUTH)->setText("45。3025");
  field(IDC_DISTANCE)->setText(QString(32, QChar(0x3000)) + "１００");
  click(IDOK);
  EXPECT_EQ(text(IDC_RESULT_X), "1070.082282");
  EXPECT_EQ(text(IDC_RESULT_Y), "2071.333539");
  EXPECT_EQ(text(IDC_AZIMUTH), "45.3025");
}

// --- Inverse computation -----------------------------------------------

TEST_F(CalcDialogTest, InverseGivesAzimuthAndDistance) {
  click(IDC_MODE_INVERSE);
  type(IDC_START_X, "1000");
  type(IDC_START_Y, "2000");
  type(IDC_RESULT_X, "1070");
  type(IDC_RESULT_Y, "2071.4");
  QTest::keyClick(field(IDC_RESULT_Y), Qt::Key_Enter);
  EXPECT_EQ(text(IDC_AZIMUTH), "45.340216");
  EXPECT_EQ(text(IDC_DISTANCE), "99.989799");
  EXPECT_TRUE(enabled(IDC_AZIMUTH));
  EXPECT_TRUE(enabled(IDC_DISTANCE));
}

TEST_F(CalcDialogTest, RoundTripForwardThenInverse) {
  typeForward("1000", "2000", "45.3025", "100");
  click(IDOK);
  click(IDC_MODE_INVERSE);
  field(IDC_AZIMUTH)->clear();
  field(IDC_DISTANCE)->clear();
  click(IDOK);
  EXPECT_EQ(text(IDC_AZIMUTH), "45.302500");
  EXPECT_EQ(text(IDC_DISTANCE), "100.000000");
}

// --- Identical points --------------------------------------------------

TEST_F(CalcDialogTest, IdenticalPointsWarnAndChangeNothing) {
  typeForward("5", "6", "45.3025", "100");
  click(IDC_MODE_INVERSE);
  type(IDC_RESULT_X, "5");
  type(IDC_RESULT_Y, "6.0");
  const std::optional<SeenBox> box = computeWatchingForBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, " 注 意！");
  EXPECT_EQ(box->text, "你 输 入 的  两 个 点 坐 标 值 是 相 同 的！");
  EXPECT_EQ(box->icon, QMessageBox::NoIcon);
  EXPECT_EQ(box->buttonCount, 1);
  EXPECT_TRUE(box->ownedByDialog);
  EXPECT_EQ(text(IDC_AZIMUTH), "45.3025");
  EXPECT_EQ(text(IDC_DISTANCE), "100");
  EXPECT_FALSE(enabled(IDC_AZIMUTH));
  EXPECT_FALSE(enabled(IDC_DISTANCE));
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(CalcDialogTest, IdenticalPointsWithAllFieldsEmpty) {
  click(IDC_MODE_INVERSE);
  ASSERT_TRUE(computeWatchingForBox());
  EXPECT_TRUE(text(IDC_AZIMUTH).isEmpty());
  EXPECT_TRUE(text(IDC_DISTANCE).isEmpty());
  EXPECT_FALSE(enabled(IDC_AZIMUTH));
  EXPECT_FALSE(enabled(IDC_DISTANCE));
}

TEST_F(CalcDialogTest, PointsThatDifferComputeWithoutWarning) {
  click(IDC_MODE_INVERSE);
  type(IDC_RESULT_X, "1e-300");
  EXPECT_FALSE(computeWatchingForBox());
  EXPECT_EQ(text(IDC_DISTANCE), "0.000000");
}

// --- Mode switches -----------------------------------------------------

TEST_F(CalcDialogTest, SwitchingModesKeepsFieldsAndSwapsCaptions) {
  typeForward("1", "2", "3", "4");
  click(IDC_MODE_INVERSE);
  EXPECT_TRUE(checked(IDC_MODE_INVERSE));
  EXPECT_FALSE(checked(IDC_MODE_FORWARD));
  EXPECT_EQ(caption(IDC_CAPTION_X), "终点X");
  EXPECT_EQ(caption(IDC_CAPTION_Y), "终点Y");
  EXPECT_EQ(caption(IDC_CAPTION_AZIMUTH), "反算方位角");
  EXPECT_EQ(caption(IDC_CAPTION_DISTANCE), "反算距离");
  EXPECT_TRUE(enabled(IDC_RESULT_X));
  EXPECT_TRUE(enabled(IDC_RESULT_Y));
  EXPECT_FALSE(enabled(IDC_AZIMUTH));
  EXPECT_FALSE(enabled(IDC_DISTANCE));
  click(IDC_MODE_FORWARD);
  EXPECT_EQ(caption(IDC_CAPTION_X), "结果X");
  EXPECT_EQ(caption(IDC_CAPTION_AZIMUTH), "已知方位角");
  EXPECT_FALSE(enabled(IDC_RESULT_X));
  EXPECT_TRUE(enabled(IDC_AZIMUTH));
  EXPECT_EQ(
      QStringList({text(IDC_START_X), text(IDC_START_Y), text(IDC_AZIMUTH), text(IDC_DISTANCE)}),
      QStringList({"1", "2", "3", "4"}));
}

TEST_F(CalcDialogTest, ClickingTheCheckedRadioAgainReappliesItsMode) {
  click(IDOK);  // forward compute leaves the end point fields enabled
  ASSERT_TRUE(enabled(IDC_RESULT_X));
  click(IDC_MODE_FORWARD);
  EXPECT_TRUE(checked(IDC_MODE_FORWARD));
  EXPECT_FALSE(enabled(IDC_RESULT_X));
  EXPECT_FALSE(enabled(IDC_RESULT_Y));
  EXPECT_EQ(text(IDC_RESULT_X), "0.000000");
}

TEST_F(CalcDialogTest, AClickAnywhereInARadiosRectanglePicksIt) {
  // The blank right end of "坐标反算"'s rectangle, past its caption.
  QWidget* inverse = dialogItem(dialog, IDC_MODE_INVERSE);
  QTest::mouseClick(inverse, Qt::LeftButton, {},
                    QPoint(inverse->width() - 2, inverse->height() / 2));
  EXPECT_TRUE(checked(IDC_MODE_INVERSE));
  EXPECT_EQ(caption(IDC_CAPTION_X), "终点X");
  QWidget* forward = dialogItem(dialog, IDC_MODE_FORWARD);
  QTest::mouseClick(forward, Qt::LeftButton, {}, QPoint(forward->width() - 2, 1));
  EXPECT_TRUE(checked(IDC_MODE_FORWARD));
  EXPECT_EQ(caption(IDC_CAPTION_X), "结果X");
}

// --- Leaving -----------------------------------------------------------

TEST_F(CalcDialogTest, EscapeEndsTheDialog) {
  QTest::keyClick(field(IDC_START_X), Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(CalcDialogTest, ExitButtonEndsTheDialog) {
  click(IDCANCEL);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(CalcDialogTest, CloseBoxEndsTheDialog) {
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(CalcDialogTest, WindowMenuOpensOnRightClickAndClosesTheDialog) {
  QMenu& menu = dialog.windowMenu();
  QContextMenuEvent press(QContextMenuEvent::Mouse, QPoint(5, 5), dialog.mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(&dialog, &press);
  ASSERT_TRUE(menu.isVisible());
  ASSERT_EQ(menu.actions().size(),
            7);  // close, the separator, the about, setting-out, road, transformation
                 // and 导线/水准 entries
  EXPECT_EQ(menu.actions().front()->text(), "关闭(&C)");
  menu.actions().front()->trigger();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(CalcDialogTest, AltSpaceOpensTheWindowMenu) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, Qt::AltModifier);
  EXPECT_TRUE(dialog.windowMenu().isVisible());
  dialog.windowMenu().hide();
}

// Window managers keep Alt+Space, so the keys that open a context menu open
// the window menu too, where Alt+Space opens it; in an edit field they open
// the field's own edit menu, as a right-click on the field does.
TEST_F(CalcDialogTest, MenuKeyAndShiftF10OpenTheWindowMenuOrAFieldsEditMenu) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  };
  QMenu& windowMenu = dialog.windowMenu();
  for (int id : {IDOK, IDC_MODE_INVERSE, IDC_START_X, IDC_DISTANCE})
    for (const Press& press : {Press{Qt::Key_Menu, {}}, Press{Qt::Key_F10, Qt::ShiftModifier}}) {
      QWidget* focus = dialogItem(dialog, id);
      focus->setFocus(Qt::TabFocusReason);
      ASSERT_TRUE(focus->hasFocus()) << id;
      QTest::keyClick(focus, press.key, press.modifiers);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr) << id << " key " << press.key;
      const bool inField = qobject_cast<QLineEdit*>(focus) != nullptr;
      EXPECT_EQ(menu == &windowMenu, !inField) << id << " key " << press.key;
      if (inField) {
        EXPECT_TRUE(menu->actions().front()->text().startsWith("撤消")) << id;
      } else {
        EXPECT_EQ(menu->pos(), dialog.mapToGlobal(QPoint(0, 0))) << id;
      }
      menu->close();
      EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST_F(CalcDialogTest, WindowCommandsIgnoreTheirLowFourBits) {
  dialog.OnSysCommand(0xF063);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
