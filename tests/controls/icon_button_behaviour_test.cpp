// How a flat icon button reacts to the pointer, the keyboard focus and its
// setters, on a real widget in a window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>

#include "res/resource.h"
#include "res/resources.h"
#include "test_support.h"
#include "test_widgets.h"

namespace {

constexpr int kNoSuchId = 9999;
const QPoint kOutside(10, 10);  // window coordinates
const QPoint kCentre(90, 50);
const QPoint kInside(60, 40);

class IconButtonWidget : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(240, 100);
    button = new TestButton(&window);
    button->setGeometry(40, 30, 100, 40);
    button->setText("Go");
    other = new QPushButton("Other", &window);
    other->setGeometry(160, 30, 60, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    moveTo(kOutside);
    counter = std::make_unique<PaintCounter>(button);
  }

  void moveTo(const QPoint& point) { QTest::mouseMove(window.windowHandle(), point); }
  int paints() {
    QCoreApplication::processEvents();
    return counter->count;
  }
  bool hot() const { return button->m_bHot; }
  // The button as it shows in its window now; the grab's own paint is not counted.
  QRgb shownPixel(int x, int y) {
    const int before = counter->count;
    const QImage image = button->grab().toImage();
    counter->count = before;
    return pixelAt(image, x, y);
  }

  QWidget window;
  TestButton* button = nullptr;
  QPushButton* other = nullptr;
  std::unique_ptr<PaintCounter> counter;
};

using IconButtonHover = IconButtonWidget;

TEST_F(IconButtonHover, PointerEnteringLightsAndLeavingUnlightsWithOneRepaintEach) {
  moveTo(kCentre);
  EXPECT_TRUE(hot());
  EXPECT_EQ(paints(), 1);
  EXPECT_EQ(shownPixel(0, 0), roleColor(*button, QPalette::Light));
  moveTo(kInside);
  EXPECT_TRUE(hot());
  EXPECT_EQ(paints(), 1);
  moveTo(kOutside);
  EXPECT_FALSE(hot());
  EXPECT_EQ(paints(), 2);
  EXPECT_EQ(shownPixel(0, 0), roleColor(*button, QPalette::Button));
}

TEST_F(IconButtonHover, PointerArrivingWithTheLeftButtonHeldDoesNotLight) {
  QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, kOutside);
  moveTo(kCentre);
  EXPECT_FALSE(hot());
  QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, kCentre);
  moveTo(kInside);
  EXPECT_TRUE(hot());
}

TEST_F(IconButtonHover, StaysLitAfterAClickWhileThePointerRestsOnIt) {
  QSignalSpy clicks(button, &QAbstractButton::clicked);
  moveTo(kCentre);
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, kCentre);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_TRUE(hot());
  moveTo(kInside);
  EXPECT_TRUE(hot());
  moveTo(kOutside);
  EXPECT_FALSE(hot());
}

TEST_F(IconButtonHover, DraggingOutWhilePressedUnlitsUntilTheButtonIsReleased) {
  moveTo(kCentre);
  QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, kCentre);
  EXPECT_TRUE(button->isDown());
  moveTo(kOutside);
  EXPECT_FALSE(hot());
  moveTo(kCentre);
  EXPECT_FALSE(hot());
  QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, kCentre);
  EXPECT_FALSE(hot());
  moveTo(kInside);
  EXPECT_TRUE(hot());
}

TEST_F(IconButtonHover, LosingFocusUnlitsUntilThePointerLeavesAndComesBack) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  button->setFocus();
  moveTo(kCentre);
  ASSERT_TRUE(hot());
  const int before = paints();
  other->setFocus();
  EXPECT_FALSE(hot());
  EXPECT_EQ(paints(), before + 1);
  moveTo(kInside);
  EXPECT_FALSE(hot());
  moveTo(kOutside);
  moveTo(kCentre);
  EXPECT_TRUE(hot());
}

TEST_F(IconButtonHover, ClassicStyleNeverLights) {
  button->m_bFlatStyle = false;
  moveTo(kCentre);
  EXPECT_FALSE(hot());
  EXPECT_EQ(paints(), 0);
}

// A button is lit only while the pointer moves over it in a window that
// takes input. An enter alone, such as the one a window gets when a box
// above it goes away, is not followed reliably by a leave, so it lights
// nothing; the next move over the button does.
TEST_F(IconButtonHover, AnEnterWithoutAMoveDoesNotLight) {
  QEnterEvent enter(kCentre, kCentre, window.mapToGlobal(kCentre));
  QCoreApplication::sendEvent(window.windowHandle(), &enter);
  ASSERT_TRUE(button->underMouse());
  EXPECT_FALSE(hot());
  EXPECT_EQ(paints(), 0);
  moveTo(kInside);
  EXPECT_TRUE(hot());
}

TEST_F(IconButtonHover, ABlockedWindowPutsItsLitButtonOutUntilItTakesInputAgain) {
  moveTo(kCentre);
  ASSERT_TRUE(hot());
  QEvent blocked(QEvent::WindowBlocked);
  QCoreApplication::sendEvent(&window, &blocked);
  EXPECT_FALSE(hot());
  EXPECT_EQ(paints(), 2);
  moveTo(kInside);
  EXPECT_FALSE(hot());
  QEvent unblocked(QEvent::WindowUnblocked);
  QCoreApplication::sendEvent(&window, &unblocked);
  EXPECT_FALSE(hot());
  moveTo(kCentre);
  EXPECT_TRUE(hot());
}

using IconButtonColours = IconButtonWidget;

// The standard palette's button face (#d4d0c8) and button text (black), as
// the caller reads them back in 0x00BBGGRR.
TEST_F(IconButtonColours, NewButtonHoldsTheSystemColours) {
  EXPECT_EQ(button->GetIdleFaceColor(), 0x00C8D0D4u);
  EXPECT_EQ(button->GetHotFaceColor(), 0x00C8D0D4u);
  EXPECT_EQ(button->GetIdleTextColor(), 0x00000000u);
  EXPECT_EQ(button->GetHotTextColor(), 0x00000000u);
}

// A reset puts the system's button text colour (black) back in the caption.
TEST_F(IconButtonColours, AResetCaptionShowsTheSystemColourAgain) {
  const QRect item(0, 0, 100, 40);
  button->m_bHot = true;
  button->SetHotTextColor(0x00FF0000, false);
  button->ResetHotTextColor(false);
  const QImage lit = button->render({}, item, item.size());
  EXPECT_TRUE(inkBox(lit, 0xFF0000FF).isEmpty());
  EXPECT_FALSE(inkBox(lit, 0xFF000000).isEmpty());
}

TEST_F(IconButtonColours, RepaintOnlyWhenTheFlagEqualsTrue) {
  const std::vector<std::function<void(int)>> operations = {
      [&](int repaint) { button->SetIdleTextColor(0x00000000, repaint); },
      [&](int repaint) { button->SetHotTextColor(0x00FF00FF, repaint); },
      [&](int repaint) { button->ResetIdleFaceColor(repaint); },
      [&](int repaint) { button->ResetIdleTextColor(repaint); },
      [&](int repaint) { button->ResetHotFaceColor(repaint); },
      [&](int repaint) { button->ResetHotTextColor(repaint); },
  };
  for (const auto& operation : operations) {
    const int before = paints();
    operation(0);
    operation(2);
    operation(-1);
    EXPECT_EQ(paints(), before);
    operation(1);
    EXPECT_EQ(paints(), before + 1);
  }
}

using IconButtonIcons = IconButtonWidget;

TEST_F(IconButtonIcons, LoadIconsRepaintsBeforeItReturns) {
  const int before = paints();
  button->LoadIcons(IDI_APP, 0, 32, 32);
  EXPECT_EQ(counter->count, before + 1);
}

TEST_F(IconButtonIcons, OneIconServesBothStatesAsTheSameImage) {
  button->LoadIcons(IDI_APP, 0, 32, 32);
  ASSERT_FALSE(button->m_hHotIcon.isNull());
  EXPECT_EQ(button->m_hIdleIcon.cacheKey(), button->m_hHotIcon.cacheKey());

  // The program's icon at its own size, with its corner at (3, 4).
  QImage expected(32, 32, QImage::Format_ARGB32_Premultiplied);
  expected.fill(roleColor(*button, QPalette::Button));
  QPainter(&expected).drawPixmap(0, 0, res::LoadIconResource(IDI_APP).pixmap(32, 32));
  const QRect item(0, 0, 100, 40);
  const QImage idle = button->render({}, item, item.size());
  button->m_bHot = true;
  const QImage hot = button->render({}, item, item.size());
  EXPECT_EQ(idle.copy(3, 4, 32, 32), expected);
  EXPECT_EQ(hot.copy(3, 4, 32, 32), expected);
}

TEST_F(IconButtonIcons, UnknownHotIconLeavesAPlainCaptionButton) {
  TestButton plain;
  plain.setText("Go");
  button->LoadIcons(kNoSuchId, 0, 32, 32);
  EXPECT_TRUE(button->m_hHotIcon.isNull());
  const QRect item(0, 0, 100, 40);
  EXPECT_EQ(button->render({}, item, item.size()), plain.render({}, item, item.size()));
}

TEST_F(IconButtonIcons, ASecondLoadReplacesTheEarlierIcons) {
  button->LoadIcons(IDI_APP, kNoSuchId, 32, 32);
  EXPECT_FALSE(button->m_hHotIcon.isNull());
  EXPECT_TRUE(button->m_hIdleIcon.isNull());
  button->LoadIcons(IDI_APP, 0, 16, 16);
  EXPECT_EQ(button->m_hIdleIcon.cacheKey(), button->m_hHotIcon.cacheKey());
  button->LoadIcons(kNoSuchId, 0, 32, 32);
  EXPECT_TRUE(button->m_hHotIcon.isNull());
  EXPECT_TRUE(button->m_hIdleIcon.isNull());
}

using IconButtonCursor = IconButtonWidget;

TEST_F(IconButtonCursor, HoverCursorShowsOverTheButtonOnly) {
  EXPECT_TRUE(button->LoadHoverCursor(TestButton::kTestCursorId));
  moveTo(kCentre);
  EXPECT_EQ(window.windowHandle()->cursor().shape(), Qt::PointingHandCursor);
  moveTo(kOutside);
  EXPECT_EQ(window.windowHandle()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(IconButtonCursor, MinusOneDropsTheCursorAndSucceeds) {
  button->LoadHoverCursor(TestButton::kTestCursorId);
  EXPECT_TRUE(button->LoadHoverCursor(-1));
  EXPECT_FALSE(button->testAttribute(Qt::WA_SetCursor));
  moveTo(kCentre);
  EXPECT_EQ(window.windowHandle()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(IconButtonCursor, UnknownCursorFailsAndLeavesTheDefaultCursor) {
  button->LoadHoverCursor(TestButton::kTestCursorId);
  EXPECT_FALSE(button->LoadHoverCursor(kNoSuchId));
  EXPECT_FALSE(button->testAttribute(Qt::WA_SetCursor));
  CIconButton real;
  EXPECT_FALSE(real.LoadHoverCursor(kNoSuchId));
}

}  // namespace
