// What a styled label shows and how it answers the mouse, on a real widget
// in a window.

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <functional>
#include <memory>

#include "controls/sys_colors.h"
#include "test_support.h"
#include "test_widgets.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlack = 0xFF000000;
const QPoint kOutside(5, 5);  // window coordinates
const QPoint kOnLabel(60, 35);

// Receives what the desktop would be asked to open.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

// Notes the time of each paint of a widget on a running clock.
class PaintClock : public QObject {
 public:
  PaintClock(QWidget* widget, const QElapsedTimer& clock, QList<qint64>& times)
      : m_clock(clock), m_times(times) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) m_times << m_clock.elapsed();
    return false;
  }

 private:
  const QElapsedTimer& m_clock;
  QList<qint64>& m_times;
};

// A dialog stand-in that counts the presses reaching it.
class Parent : public QWidget {
 public:
  int presses = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class StyledLabel : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(300, 80);
    label = new TestLabel(&window);
    label->setGeometry(20, 20, 200, 30);
    label->setText("Corvane");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(window.windowHandle(), kOutside);
    counter = std::make_unique<PaintCounter>(label);
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
  }
  void TearDown() override { QDesktopServices::unsetUrlHandler("mailto"); }

  int paints() {
    QCoreApplication::processEvents();
    return counter->count;
  }
  // The label as its next paint shows it; that paint is not counted.
  QImage shown() {
    const int before = counter->count;
    const QImage image = label->grab().toImage();
    counter->count = before;
    return image;
  }
  QRgb background() { return pixelAt(shown(), 195, 2); }
  QRgb face() const { return roleColor(*label, QPalette::Button); }
  void press(Qt::MouseButton button) {
    QTest::mousePress(window.windowHandle(), button, {}, kOnLabel);
    QTest::mouseRelease(window.windowHandle(), button, {}, kOnLabel);
  }
  Qt::CursorShape cursorOverLabel() {
    QTest::mouseMove(window.windowHandle(), kOutside);
    QTest::mouseMove(window.windowHandle(), kOnLabel);
    return window.windowHandle()->cursor().shape();
  }

  Parent window;
  TestLabel* label = nullptr;
  std::unique_ptr<PaintCounter> counter;
  UrlCatcher catcher;
};

using StyledLabelLook = StyledLabel;

TEST_F(StyledLabelLook, NewLabelShowsWindowTextInTheDefaultFontOnTheButtonFace) {
  const QImage image = shown();
  EXPECT_EQ(pixelAt(image, 195, 2), face());
  EXPECT_FALSE(inkBox(image, roleColor(*label, QPalette::WindowText)).isEmpty());
  EXPECT_EQ(label->font(), QGuiApplication::font());
}

// Each font setter returns the label, and before it returns the label has
// repainted once and shows its text differently.
TEST_F(StyledLabelLook, FontSettersChainAndRepaintBeforeTheyReturn) {
  const QList<std::pair<const char*, std::function<CStyledLabel&()>>> setters = {
      {"bold", [&]() -> CStyledLabel& { return label->SetBold(true); }},
      {"not bold", [&]() -> CStyledLabel& { return label->SetBold(false); }},
      {"underline", [&]() -> CStyledLabel& { return label->SetUnderline(true); }},
      {"italic", [&]() -> CStyledLabel& { return label->SetItalic(true); }},
      {"height", [&]() -> CStyledLabel& { return label->SetCharHeight(16); }},
      {"face", [&]() -> CStyledLabel& { return label->SetFaceName("Liberation Sans"); }},
  };
  for (const auto& [name, set] : setters) {
    const QImage before = shown();
    const int paintsBefore = paints();
    EXPECT_EQ(&set(), label) << name;
    EXPECT_EQ(counter->count, paintsBefore + 1) << name;
    EXPECT_NE(shown(), before) << name;
  }
}

// A face name is kept whole, however long; the face mapper then picks a
// face that stands in for it.
TEST_F(StyledLabelLook, AFaceNameLongerThanTheClassicLimitIsKeptWhole) {
  const QString longFace = "A Face Name Longer Than Thirty-One Bytes In All";
  label->SetFaceName(longFace);
  EXPECT_EQ(label->font().family(), longFace);
}

TEST_F(StyledLabelLook, ForeColourRepaintsTheTextInThatColour) {
  const QRgb windowText = roleColor(*label, QPalette::WindowText);
  ASSERT_NE(windowText, kRed);
  const int before = paints();
  label->SetForeColor(0x000000FF);
  EXPECT_EQ(counter->count, before + 1);
  const QImage image = shown();
  EXPECT_FALSE(inkBox(image, kRed).isEmpty());
  EXPECT_TRUE(inkBox(image, windowText).isEmpty());
}

TEST_F(StyledLabelLook, BackColourShowsAtTheNextPaintOnly) {
  const int before = paints();
  label->SetBackColor(0x00000000);
  EXPECT_EQ(paints(), before);
  EXPECT_EQ(background(), kBlack);
}

// Setters made before the label ever shows take effect at once: its first
// paint shows them, though its window is not the active one.
TEST_F(StyledLabelLook, SettersMadeBeforeTheLabelShowsAppearInItsFirstPaint) {
  TestLabel unshown;
  unshown.setText("Corvane");
  unshown.resize(200, 30);
  unshown.SetForeColor(0x000000FF).SetBackColor(0x00000000);
  ASSERT_FALSE(unshown.isActiveWindow());
  const QImage image = unshown.grab().toImage();
  EXPECT_EQ(pixelAt(image, 195, 2), kBlack);
  EXPECT_FALSE(inkBox(image, kRed).isEmpty());
}

TEST_F(StyledLabelLook, EachVisibleChangePaintsOnce) {
  int expected = paints();
  label->SetForeColor(0x000000FF);
  EXPECT_EQ(paints(), ++expected);
  label->SetBold(true);
  EXPECT_EQ(paints(), ++expected);
  label->SetCharHeight(20).SetForeColor(0x00FF0000);
  expected += 2;
  EXPECT_EQ(paints(), expected);
}

// A dialog places its labels after building them, as the template builder
// does; the label keeps the default GUI font, not the dialog's.
TEST_F(StyledLabelLook, KeepsTheDefaultFontInADialogWithAnotherFont) {
  QWidget dialog;
  dialog.setFont(QFont("Serif", 31));
  auto* placed = new TestLabel;
  placed->setParent(&dialog);
  EXPECT_EQ(placed->font(), QGuiApplication::font());
  placed->SetBold(true);
  EXPECT_EQ(placed->font().pointSize(), QGuiApplication::font().pointSize());
  EXPECT_EQ(placed->font().family(), QGuiApplication::font().family());
}

using StyledLabelFlash = StyledLabel;

TEST_F(StyledLabelFlash, StartsWithTheButtonFaceAndAlternatesOnEachTick) {
  label->SetForeColor(0x000000FF).SetBackColor(0x00000000);
  const int before = paints();
  label->EnableBackFlash(true);
  EXPECT_EQ(paints(), before);
  EXPECT_EQ(background(), face());
  label->OnTimer();
  EXPECT_EQ(counter->count, before + 1);
  const QImage phase1 = shown();
  EXPECT_EQ(pixelAt(phase1, 195, 2), kBlack);
  EXPECT_FALSE(inkBox(phase1, kRed).isEmpty());
  label->OnTimer();
  EXPECT_EQ(counter->count, before + 2);
  EXPECT_EQ(background(), face());
}

TEST_F(StyledLabelFlash, EnablingAgainRestartsWithTheButtonFace) {
  label->SetBackColor(0x00000000).EnableBackFlash(true);
  label->OnTimer();
  ASSERT_EQ(background(), kBlack);
  label->EnableBackFlash(true);
  EXPECT_EQ(background(), face());
}

TEST_F(StyledLabelFlash, StoppingReturnsToTheOwnBackgroundAtTheNextPaint) {
  label->SetBackColor(0x00000000).EnableBackFlash(true);
  const int before = paints();
  label->EnableBackFlash(false);
  EXPECT_EQ(paints(), before);
  EXPECT_EQ(background(), kBlack);
  label->OnTimer();
  EXPECT_EQ(paints(), before);
}

TEST_F(StyledLabelFlash, TheTimerTicksAfterHalfASecond) {
  // The clock starts before the timer does, so that a pause between the two
  // on a busy machine cannot make the tick look early.
  QElapsedTimer clock;
  clock.start();
  label->SetBackColor(0x00000000).EnableBackFlash(true);
  const int before = paints();
  ASSERT_TRUE(QTest::qWaitFor([&] { return counter->count > before; }, 2000));
  // A coarse timer may fire up to 5 % early.
  EXPECT_GE(clock.elapsed(), 475);
  EXPECT_EQ(background(), kBlack);
}

// The phases change every 500 ms from the start, on a precise timer that
// does not drift: coarse timers came a phase late within two seconds.
TEST_F(StyledLabelFlash, PhasesChangeEvery500MillisecondsWithoutDrift) {
  label->SetBackColor(0x00000000);
  QElapsedTimer clock;
  QList<qint64> toggles;
  PaintClock paintClock(label, clock, toggles);
  clock.start();
  label->EnableBackFlash(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return toggles.size() >= 4; }, 3000));
  for (int k = 0; k < 4; ++k) EXPECT_GE(toggles[k], 500 * (k + 1)) << k;
  EXPECT_LT(toggles[3], 2000 + 60);
}

using StyledLabelLink = StyledLabel;

TEST_F(StyledLabelLink, PressOnALabelWithoutLinkModeReachesTheParent) {
  label->setText("mailto:someone@example.org");
  press(Qt::LeftButton);
  EXPECT_EQ(window.presses, 1);
  EXPECT_TRUE(catcher.urls.isEmpty());
}

TEST_F(StyledLabelLink, LeftPressOpensTheTextItHasAtThatMoment) {
  label->EnableLink(true);
  label->setText("mailto:someone@example.org");
  press(Qt::LeftButton);
  label->setText("mailto:other@example.org?subject=Corvane");
  press(Qt::LeftButton);
  ASSERT_EQ(catcher.urls.size(), 2);
  EXPECT_EQ(catcher.urls[0], QUrl("mailto:someone@example.org"));
  EXPECT_EQ(catcher.urls[1], QUrl("mailto:other@example.org?subject=Corvane"));
  EXPECT_EQ(window.presses, 0);
}

// The classic control gets the second press of a double-click as a
// double-click message, which opens nothing.
TEST_F(StyledLabelLink, ADoubleClickOpensTheLinkOnce) {
  label->EnableLink(true);
  label->setText("mailto:someone@example.org");
  QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, kOnLabel);
  EXPECT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(window.presses, 0);
}

TEST_F(StyledLabelLink, RightPressOnALinkDoesNothing) {
  label->EnableLink(true);
  label->setText("mailto:someone@example.org");
  press(Qt::RightButton);
  EXPECT_TRUE(catcher.urls.isEmpty());
  EXPECT_EQ(window.presses, 0);
}

TEST_F(StyledLabelLink, LinkModeOffAgainLetsPressesThrough) {
  label->EnableLink(true);
  label->EnableLink(false);
  press(Qt::LeftButton);
  EXPECT_EQ(window.presses, 1);
}

TEST_F(StyledLabelLink, HoverCursorShowsInLinkModeOnly) {
  const int before = paints();
  label->SetHoverCursor(QCursor(Qt::PointingHandCursor));
  EXPECT_EQ(cursorOverLabel(), Qt::ArrowCursor);
  label->EnableLink(true);
  EXPECT_EQ(cursorOverLabel(), Qt::PointingHandCursor);
  label->SetHoverCursor(std::nullopt);
  EXPECT_EQ(cursorOverLabel(), Qt::ArrowCursor);
  EXPECT_EQ(paints(), before);
}

}  // namespace

#include "styled_label_test.moc"
