// The calculator and its about box as they show on a scaled screen. These
// tests run in processes of their own under QT_SCALE_FACTOR
// (tests/ui/calc/CMakeLists.txt): at a scale of two every button shows its
// whole 64-pixel icon with its caption, and the about box the application's
// 64-pixel icon; at two, 1.5 and 1.25 the about box shows all four sides of
// its frame. (The lit edge of a button and the frames of the edit fields at
// these scales are the controls' and the style's tests.)

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "controls/icon_button.h"
#include "look.h"
#include "res/resource.h"
#include "res/resources.h"
#include "ui/calc/about_box.h"
#include "ui/calc/calc_dialog.h"
#include "ui/calc/dialog_template.h"

namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr QRgb kBlack = 0xFF000000;

// What a widget shows, one image pixel for each device pixel.
QImage devicePixels(QWidget& widget) {
  QImage image = look::shown(widget).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(1);
  return image;
}

QRgb pixelAt(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

// An icon's artwork for screens scaled by two, read from its file: what the
// button must show, whatever the program's own loading does. Its comments
// go first: one quotes a letter, which an XPM reader takes for the picture.
QImage artwork64(const char* name) {
  QFile file(QStringLiteral(CORVANE_ICON_DIR "/%1").arg(QString::fromLatin1(name)));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  QString text = QString::fromLatin1(file.readAll());
  text.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"),
                                 QRegularExpression::DotMatchesEverythingOption));
  QImage image;
  image.loadFromData(QStringLiteral("/* XPM */\n").toLatin1() + text.toLatin1(), "XPM");
  EXPECT_EQ(image.size(), QSize(64, 64)) << name;
  return image;
}

class ScaledScreen : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble())
        << "runs with QT_SCALE_FACTOR set";
    calc.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
    moveTo(kBackground + QPoint(2, 0));
    moveTo(kBackground);
  }

  void moveTo(const QPoint& point) { QTest::mouseMove(calc.windowHandle(), point); }
  CIconButton& button(int id) { return *dynamic_cast<CIconButton*>(dialogItem(calc, id)); }
  QRgb role(QPalette::ColorRole role) const { return calc.palette().color(role).rgb(); }
  qreal ratio() const { return calc.devicePixelRatio(); }

  const QPoint kBackground{3, 3};
  const QList<std::pair<int, const char*>> kButtons = {
      {IDOK, "compute64.xpm"}, {IDCANCEL, "exit64.xpm"}, {IDC_ABOUT, "about64.xpm"}};
  CCalcDialog calc;
};

TEST_F(ScaledScreen, ButtonsShowTheirWholeIconAtTheScreensScaleAndTheirCaption) {
  ASSERT_EQ(ratio(), 2.0) << "the 64-pixel artwork is for screens scaled by two";
  for (const auto& [id, artwork] : kButtons) {
    const QImage image = devicePixels(button(id));
    ASSERT_EQ(image.size(), (QSizeF(button(id).size()) * ratio()).toSize()) << id;
    // The icon 3 pixels in from the left and centred in height: at two, the
    // 64-pixel artwork, pixel for pixel.
    QImage expected(image.size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(role(QPalette::Button));
    QPainter(&expected).drawImage(
        qRound(3 * ratio()), qRound((button(id).height() - 32) / 2 * ratio()), artwork64(artwork));
    const int strip = qRound(35 * ratio());
    EXPECT_EQ(image.copy(0, 0, strip, image.height()), expected.copy(0, 0, strip, image.height()))
        << id;
    EXPECT_GT(look::inkOf(image.copy(strip, 0, image.width() - strip, image.height()), kBlack), 0)
        << id;
  }
}

// The about box's raised frame: two lines of a logical pixel each on every
// side, lit at the left and top and shaded at the right and bottom, over
// whatever device pixels the scale gives them.
TEST_F(ScaledScreen, AboutBoxFrameIsTwoPixelsWideOnEverySide) {
  CAboutBox box(&calc);
  box.show();  // only looked at, without its modal loop
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  const QImage image = devicePixels(box);
  struct Side {
    const char* name;
    QPoint edge, inward;
    QPalette::ColorRole outer, inner;
  };
  const int right = image.width() - 1, bottom = image.height() - 1;
  const QPoint middle = image.rect().center();
  const Side sides[] = {
      {"left", {0, middle.y()}, {1, 0}, QPalette::Light, QPalette::Midlight},
      {"top", {middle.x(), 0}, {0, 1}, QPalette::Light, QPalette::Midlight},
      {"right", {right, middle.y()}, {-1, 0}, QPalette::Shadow, QPalette::Dark},
      {"bottom", {middle.x(), bottom}, {0, -1}, QPalette::Shadow, QPalette::Dark},
  };
  for (const Side& side : sides) {
    QPoint at = side.edge;
    const auto runOf = [&](QPalette::ColorRole colour) {
      int length = 0;
      for (; pixelAt(image, at.x(), at.y()) == role(colour); at += side.inward) ++length;
      return length;
    };
    const int outer = runOf(side.outer), inner = runOf(side.inner);
    EXPECT_GE(std::min(outer, inner), 1) << side.name;
    EXPECT_LE(std::abs(outer + inner - 2 * ratio()), 0.5) << side.name;
  }
}

TEST_F(ScaledScreen, AboutBoxShowsTheApplicationIconAtTheScreensScale) {
  bool seen = false;
  QTimer::singleShot(0, &calc, [&] {
    auto* box = dynamic_cast<CAboutBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    for (QLabel* label : box->findChildren<QLabel*>()) {
      if (label->pixmap().isNull()) continue;
      seen = true;
      const QImage shown = devicePixels(*label);
      QImage expected(shown.size(), QImage::Format_ARGB32_Premultiplied);
      expected.fill(box->palette().color(QPalette::Window));
      QPainter(&expected).drawImage(0, 0, artwork64("app64.xpm"));
      EXPECT_EQ(shown, expected);
    }
    box->reject();
  });
  QTest::mouseClick(dialogItem(calc, IDC_ABOUT), Qt::LeftButton);
  EXPECT_TRUE(seen);
}

// At a scale of two the hand cursor is its own 64-pixel picture at a device
// pixel ratio of two: crisp black and white (321 and 638 pixels, where the
// small hand doubled would have 308 and 632), its hot spot still at (5, 0)
// in the screen's units.
TEST(ScaledArtwork, HandCursorIsDrawnForTheScale) {
  const QCursor hand = res::LoadCursorResource(IDCUR_HAND).value();
  EXPECT_EQ(hand.hotSpot(), QPoint(5, 0));
  EXPECT_EQ(hand.pixmap().devicePixelRatio(), 2.0);
  EXPECT_EQ(look::pixelCounts(hand.pixmap().toImage()),
            (QHash<QRgb, int>{{0xFF000000, 321}, {0xFFFFFFFF, 638}, {0x00000000, 3137}}));
}

}  // namespace
