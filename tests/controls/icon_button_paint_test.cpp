// What a flat icon button draws for each state: face, edges, icon, caption
// and focus mark, read back pixel by pixel.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPixmap>
#include <algorithm>
#include <utility>
#include <vector>

#include "controls/sys_colors.h"
#include "test_support.h"
#include "test_widgets.h"

namespace {

constexpr controls::COLORREF kRedText = 0x000000FF;
constexpr controls::COLORREF kBlueText = 0x00FF0000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGreen = 0xFF00FF00;

QIcon greenIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(QColor::fromRgb(kGreen));
  return QIcon(pixmap);
}

class IconButtonPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    button.SetIdleTextColor(kRedText, false);
    button.SetHotTextColor(kBlueText, false);
  }

  QRgb face() const { return roleColor(button, QPalette::Button); }
  QRgb light() const { return roleColor(button, QPalette::Light); }
  QRgb midlight() const { return roleColor(button, QPalette::Midlight); }
  QRgb dark() const { return roleColor(button, QPalette::Dark); }
  QRgb shadow() const { return roleColor(button, QPalette::Shadow); }

  // A plain face of that size with the caption's measured one-line box
  // centred on area (halves truncated toward zero), drawn in each colour at
  // its offset.
  QImage centredCaption(const QString& caption, const QRect& area, const QSize& size,
                        const std::vector<std::pair<QRgb, QPoint>>& inks) const {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(face());
    QPainter painter(&image);
    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QSize text = QFontMetrics(button.font(), &image).size(flags, caption);
    const QRect box(area.left() + (area.width() - text.width()) / 2,
                    area.top() + (area.height() - text.height()) / 2, text.width(), text.height());
    painter.setFont(button.font());
    for (const auto& [color, offset] : inks) {
      painter.setPen(QColor::fromRgb(color));
      painter.drawText(box.translated(offset), flags | Qt::TextDontClip, caption);
    }
    return image;
  }

  // Where the caption's fully inked pixels fall when centred on area.
  QRect centredCaptionInk(const QString& caption, const QRect& area, const QSize& size,
                          QRgb color) const {
    return inkBox(centredCaption(caption, area, size, {{color, QPoint()}}), color);
  }

  TestButton button;
};

// Edges: a 60 x 40 button drawn at (5, 5), so l = 5, t = 5, r = 65, b = 45.
const QRect kItem(5, 5, 60, 40);
const QSize kCanvas(75, 55);

TEST_F(IconButtonPaint, FlatIdleButtonIsAPlainFace) {
  const QImage image = button.render({}, kItem, kCanvas);
  for (const QPoint& p :
       {QPoint(5, 5), QPoint(64, 5), QPoint(5, 44), QPoint(64, 44), QPoint(30, 20)})
    EXPECT_EQ(pixelAt(image, p.x(), p.y()), face()) << p.x() << "," << p.y();
}

TEST_F(IconButtonPaint, FlatHotButtonHasAThinRaisedEdge) {
  button.m_bHot = true;
  const QImage image = button.render({}, kItem, kCanvas);
  EXPECT_EQ(pixelAt(image, 5, 5), light());
  EXPECT_EQ(pixelAt(image, 5, 43), light());
  EXPECT_EQ(pixelAt(image, 63, 5), light());
  EXPECT_EQ(pixelAt(image, 5, 44), dark());  // the second stroke starts over the first
  EXPECT_EQ(pixelAt(image, 63, 44), dark());
  EXPECT_EQ(pixelAt(image, 64, 44), dark());
  EXPECT_EQ(pixelAt(image, 64, 5), dark());
  EXPECT_EQ(pixelAt(image, 6, 6), face());
  EXPECT_EQ(pixelAt(image, 63, 43), face());
  // The end point of each stroke stays unpainted.
  EXPECT_NE(pixelAt(image, 65, 5), light());
  EXPECT_NE(pixelAt(image, 64, 4), dark());
}

TEST_F(IconButtonPaint, FlatPressedButtonHasAThinSunkenEdge) {
  const QImage image = button.render(CIconButton::ItemState::Selected, kItem, kCanvas);
  EXPECT_EQ(pixelAt(image, 5, 5), dark());
  EXPECT_EQ(pixelAt(image, 5, 43), dark());
  EXPECT_EQ(pixelAt(image, 63, 5), dark());
  EXPECT_EQ(pixelAt(image, 5, 44), light());
  EXPECT_EQ(pixelAt(image, 64, 44), light());
  EXPECT_EQ(pixelAt(image, 64, 5), light());
  EXPECT_EQ(pixelAt(image, 6, 6), face());
  EXPECT_NE(pixelAt(image, 65, 5), dark());
  EXPECT_NE(pixelAt(image, 64, 4), light());
}

TEST_F(IconButtonPaint, FlatButtonWithoutEdgesShowsNoneWhenLit) {
  button.m_bEdgesShown = false;
  button.m_bHot = true;
  for (CIconButton::ItemStates state :
       {CIconButton::ItemStates(), CIconButton::ItemStates(CIconButton::ItemState::Selected)}) {
    const QImage image = button.render(state, kItem, kCanvas);
    EXPECT_EQ(pixelAt(image, 5, 5), face());
    EXPECT_EQ(pixelAt(image, 64, 44), face());
  }
}

TEST_F(IconButtonPaint, ClassicButtonHasAFourStrokeRaisedEdge) {
  button.m_bFlatStyle = false;
  const QImage image = button.render({}, kItem, kCanvas);
  EXPECT_EQ(pixelAt(image, 5, 5), light());
  EXPECT_EQ(pixelAt(image, 5, 43), light());
  EXPECT_EQ(pixelAt(image, 6, 6), midlight());
  EXPECT_EQ(pixelAt(image, 6, 42), midlight());
  EXPECT_EQ(pixelAt(image, 62, 6), midlight());
  EXPECT_EQ(pixelAt(image, 5, 44), shadow());
  EXPECT_EQ(pixelAt(image, 6, 44), shadow());
  EXPECT_EQ(pixelAt(image, 64, 5), shadow());
  EXPECT_EQ(pixelAt(image, 64, 6), shadow());
  EXPECT_EQ(pixelAt(image, 64, 44), shadow());
  EXPECT_EQ(pixelAt(image, 6, 43), dark());
  EXPECT_EQ(pixelAt(image, 63, 43), dark());
  EXPECT_EQ(pixelAt(image, 63, 7), dark());
  EXPECT_EQ(pixelAt(image, 7, 7), face());
  EXPECT_EQ(pixelAt(image, 63, 6), dark());
  // End points stay unpainted: the inner shadow stops short of the top row,
  // which keeps its highlight, and the inner light stops short of x = 65.
  EXPECT_EQ(pixelAt(image, 63, 5), light());
  EXPECT_NE(pixelAt(image, 65, 6), midlight());
}

TEST_F(IconButtonPaint, ClassicPressedButtonHasAShadowFrame) {
  button.m_bFlatStyle = false;
  const QImage image = button.render(CIconButton::ItemState::Selected, kItem, kCanvas);
  for (const QPoint& p : {QPoint(5, 5), QPoint(64, 5), QPoint(5, 44), QPoint(64, 44), QPoint(30, 5),
                          QPoint(5, 20), QPoint(30, 44), QPoint(64, 20)})
    EXPECT_EQ(pixelAt(image, p.x(), p.y()), dark()) << p.x() << "," << p.y();
  EXPECT_EQ(pixelAt(image, 6, 6), face());
  EXPECT_EQ(pixelAt(image, 63, 43), face());
}

TEST_F(IconButtonPaint, ClassicFocusedButtonHasABlackFrameAndAFocusMark) {
  button.m_bFlatStyle = false;
  const QImage image = button.render(CIconButton::ItemState::Focus, kItem, kCanvas);
  for (const QPoint& p : {QPoint(5, 5), QPoint(64, 5), QPoint(5, 44), QPoint(64, 44)})
    EXPECT_EQ(pixelAt(image, p.x(), p.y()), 0xFF000000u) << p.x() << "," << p.y();
  // The raised edge moves one pixel inwards.
  EXPECT_EQ(pixelAt(image, 6, 6), light());
  EXPECT_EQ(pixelAt(image, 63, 43), shadow());
  EXPECT_EQ(pixelAt(image, 62, 6), light());
  // The mark runs 4 pixels inside the item: x 9..60, y 9..40.
  int marked = 0;
  for (int x = 9; x <= 60; ++x) marked += pixelAt(image, x, 9) != face();
  EXPECT_GT(marked, 0);
  for (int x = 10; x <= 59; ++x) EXPECT_EQ(pixelAt(image, x, 10), face()) << x;
  for (int x = 9; x <= 60; ++x) EXPECT_EQ(pixelAt(image, x, 8), face()) << x;
}

TEST_F(IconButtonPaint, FlatButtonShowsFocusMarkOnlyWhenAskedTo) {
  const auto markedPixels = [&] {
    const QImage image = button.render(CIconButton::ItemState::Focus, kItem, kCanvas);
    int marked = 0;
    for (int x = 8; x <= 61; ++x) marked += pixelAt(image, x, 8) != face();
    return marked;
  };
  EXPECT_EQ(markedPixels(), 0);
  button.m_bFocusWhenFlat = true;
  EXPECT_GT(markedPixels(), 0);
}

// Icon and caption placement in a 100 x 40 (or 100 x 60) item at the origin.
struct Placement {
  const char* name;
  int layout;
  const char* caption;
  QSize item;
  QPoint icon;        // the icon's top-left corner
  QRect captionArea;  // where the caption is centred
};

void PrintTo(const Placement& placement, std::ostream* os) { *os << placement.name; }

class IconPlacement : public IconButtonPaint, public ::testing::WithParamInterface<Placement> {};

TEST_P(IconPlacement, IconCornerAndCaptionCentre) {
  const Placement& p = GetParam();
  button.setIcon32(greenIcon());
  button.m_nIconLayout = p.layout;
  button.setText(p.caption);
  const QRect item(QPoint(0, 0), p.item);
  const QImage image = button.render({}, item, p.item);
  EXPECT_EQ(inkBox(image, kGreen), QRect(p.icon, QSize(32, 32)));
  if (*p.caption)
    EXPECT_EQ(inkBox(image, kRed), centredCaptionInk(p.caption, p.captionArea, p.item, kRed));
  else
    EXPECT_TRUE(inkBox(image, kRed).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, IconPlacement,
    ::testing::Values(Placement{"LeftWithCaption", 0, "Go", {100, 40}, {3, 4}, {35, 0, 65, 40}},
                      Placement{"LeftWithoutCaption", 0, "", {100, 40}, {34, 4}, {}},
                      Placement{"TopWithCaption", 1, "Go", {100, 60}, {34, 0}, {0, 32, 100, 28}},
                      Placement{"TopWithoutCaption", 1, "", {100, 60}, {34, 14}, {}},
                      Placement{"CornerWithCaption", 7, "Go", {100, 40}, {0, 0}, {0, 0, 100, 40}},
                      Placement{"WideCaptionOverhangsEvenly",
                                0,
                                "WWWWWWWWWWWWWWWWWWWW",
                                {100, 40},
                                {3, 4},
                                {35, 0, 65, 40}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IconButtonPaint, HiddenTextCentresTheIconAndDrawsNoCaption) {
  button.setIcon32(greenIcon());
  button.setText("Go");
  button.m_bTextShown = false;
  const QImage image = button.render({}, QRect(0, 0, 100, 40), QSize(100, 40));
  EXPECT_EQ(inkBox(image, kGreen), QRect(34, 4, 32, 32));
  EXPECT_TRUE(inkBox(image, kRed).isEmpty());
}

TEST_F(IconButtonPaint, WithoutIconTheCaptionIsCentredInTheWholeItem) {
  button.setText("Go");
  const QImage image = button.render({}, QRect(0, 0, 100, 40), QSize(100, 40));
  EXPECT_EQ(inkBox(image, kRed), centredCaptionInk("Go", QRect(0, 0, 100, 40), {100, 40}, kRed));
}

TEST_F(IconButtonPaint, PressedMovesIconAndCaptionButNotFaceAndEdge) {
  button.setIcon32(greenIcon());
  button.setText("Go");
  const QRect item(0, 0, 100, 40);
  const QImage idle = button.render({}, item, item.size());
  const QImage pressed = button.render(CIconButton::ItemState::Selected, item, item.size());
  EXPECT_EQ(inkBox(pressed, kGreen), QRect(4, 5, 32, 32));
  // Lit while pressed: the caption takes the hot colour.
  EXPECT_TRUE(inkBox(pressed, kRed).isEmpty());
  EXPECT_EQ(inkBox(pressed, kBlue),
            centredCaptionInk("Go", QRect(35, 0, 65, 40), item.size(), kBlue).translated(1, 1));
  EXPECT_EQ(pixelAt(pressed, 0, 0), dark());
  EXPECT_EQ(pixelAt(pressed, 99, 39), light());
  EXPECT_EQ(pixelAt(pressed, 50, 2), pixelAt(idle, 50, 2));
}

TEST_F(IconButtonPaint, HotButtonUsesHotCaptionColourAndHotFace) {
  button.setText("Go");
  button.m_bHot = true;
  button.m_clrHotFace = 0x0000FFFF;  // yellow
  const QImage image = button.render({}, QRect(0, 0, 100, 40), QSize(100, 40));
  EXPECT_EQ(pixelAt(image, 50, 2), 0xFFFFFF00u);
  EXPECT_TRUE(inkBox(image, kRed).isEmpty());
  EXPECT_FALSE(inkBox(image, kBlue).isEmpty());
}

TEST_F(IconButtonPaint, IdleIconMissingLeavesTheIdleButtonWithoutIcon) {
  button.setIcon32(greenIcon());
  button.m_hIdleIcon = QIcon();
  const QRect item(0, 0, 100, 40);
  EXPECT_TRUE(inkBox(button.render({}, item, item.size()), kGreen).isEmpty());
  EXPECT_FALSE(
      inkBox(button.render(CIconButton::ItemState::Selected, item, item.size()), kGreen).isEmpty());
}

TEST_F(IconButtonPaint, DisabledCaptionIsEmbossed) {
  button.setText("Go");
  const QRect item(0, 0, 100, 40);
  // The highlight one pixel down and right, the shadow over it.
  EXPECT_EQ(button.render(CIconButton::ItemState::Disabled, item, item.size()),
            centredCaption("Go", item, item.size(), {{light(), {1, 1}}, {dark(), {0, 0}}}));
}

TEST_F(IconButtonPaint, DisabledIconIsGreyedAndFaceStillFollowsTheLitRule) {
  button.setIcon32(greenIcon());
  button.m_bHot = true;
  button.m_clrHotFace = 0x0000FFFF;
  const QImage image =
      button.render(CIconButton::ItemState::Disabled, QRect(0, 0, 100, 40), QSize(100, 40));
  EXPECT_TRUE(inkBox(image, kGreen).isEmpty());
  EXPECT_NE(pixelAt(image, 40, 10), 0xFFFFFF00u);  // the icon is still drawn there
  EXPECT_EQ(pixelAt(image, 80, 20), 0xFFFFFF00u);
}

// --- Screens scaled by two and by fractions --------------------------

constexpr QRgb kFrame = 0xFFFF00FF;
constexpr QRgb kInside = 0xFF0080FF;

// A 32-pixel green picture and its 64-pixel artwork: blue, framed in magenta,
// so that a picture cut short or taken from the small one shows.
QIcon twoSizeIcon() {
  QImage large(64, 64, QImage::Format_ARGB32_Premultiplied);
  large.fill(kFrame);
  QPainter(&large).fillRect(1, 1, 62, 62, QColor::fromRgb(kInside));
  QIcon icon(greenIcon());
  icon.addPixmap(QPixmap::fromImage(large));
  return icon;
}

struct ScaledState {
  const char* name;
  bool flat;
  bool hot;
  CIconButton::ItemStates state;
};

void PrintTo(const ScaledState& state, std::ostream* os) { *os << state.name; }

class ScaledButton : public IconButtonPaint, public ::testing::WithParamInterface<ScaledState> {
 protected:
  void SetUp() override {
    IconButtonPaint::SetUp();
    button.m_bFlatStyle = GetParam().flat;
    button.m_bHot = GetParam().hot;
    button.setIcon32(twoSizeIcon());
    button.setText("Go");
  }
};

TEST_P(ScaledButton, AtTwiceTheScaleIsTheSamePictureWithItsLargeIconAndCaption) {
  const CIconButton::ItemStates state = GetParam().state;
  const bool pressed = state.testFlag(CIconButton::ItemState::Selected);
  const bool disabled = state.testFlag(CIconButton::ItemState::Disabled);
  const QRect item(0, 0, 100, 40);
  const QImage one = button.render(state, item, item.size());
  const QImage two = button.render(state, item, item.size(), 2);
  ASSERT_EQ(two.size(), QSize(200, 80));

  // Face, edges and frames: every pixel of a band along the border covers
  // two by two device pixels in the colour it has at the scale of one.
  int wrong = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x)
      if (std::min({x, y, 99 - x, 39 - y}) <= 2)
        for (const QPoint& d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
          wrong += pixelAt(two, 2 * x + d.x(), 2 * y + d.y()) != pixelAt(one, x, y);
  EXPECT_EQ(wrong, 0);

  // The icon: its 64-pixel picture, whole, at twice its place.
  const QPoint corner = pressed ? QPoint(8, 10) : QPoint(6, 8);
  const QImage icon =
      button.m_hHotIcon.pixmap(QSize(32, 32), 2, disabled ? QIcon::Disabled : QIcon::Normal)
          .toImage()
          .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  ASSERT_EQ(icon.size(), QSize(64, 64));
  QImage placed = two.copy(QRect(corner, QSize(64, 64)));
  placed.setDevicePixelRatio(1);
  // A classic focus mark runs over the icon's margin.
  const QRect shown = state.testFlag(CIconButton::ItemState::Focus) && !GetParam().flat
                          ? QRect(4, 4, 56, 56)
                          : QRect(0, 0, 64, 64);
  EXPECT_EQ(placed.copy(shown), icon.copy(shown));

  // The caption, in the colour of the state, right of the icon.
  const bool lit = GetParam().hot || pressed;
  const QRgb ink = disabled ? dark() : lit ? kBlue : kRed;
  EXPECT_FALSE(inkBox(two.copy(72, 0, 128, 80), ink).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    States, ScaledButton,
    ::testing::Values(ScaledState{"FlatIdle", true, false, {}},
                      ScaledState{"FlatHot", true, true, {}},
                      ScaledState{"FlatPressed", true, true, CIconButton::ItemState::Selected},
                      ScaledState{"FlatDisabled", true, false, CIconButton::ItemState::Disabled},
                      ScaledState{"FlatFocused", true, false, CIconButton::ItemState::Focus},
                      ScaledState{"ClassicRaised", false, false, {}},
                      ScaledState{"ClassicPressed", false, false, CIconButton::ItemState::Selected},
                      ScaledState{"ClassicFocused", false, false, CIconButton::ItemState::Focus}),
    [](const auto& info) { return std::string(info.param.name); });

// At every scale a lit button's edge runs along all four sides of its
// device pixels (at two, from corner to corner, two device pixels wide), and
// the caption shows in the hot colour.
TEST_F(IconButtonPaint, EdgeReachesEveryBorderAtEveryScale) {
  button.setText("Go");
  button.m_bHot = true;
  const QRect item(0, 0, 100, 40);
  for (qreal ratio : {1.25, 1.5, 2.0}) {
    const QImage image = button.render({}, item, item.size(), ratio);
    const int w = image.width(), h = image.height();
    EXPECT_EQ(pixelAt(image, 0, h / 2), light()) << ratio;
    EXPECT_EQ(pixelAt(image, w / 2, 0), light()) << ratio;
    EXPECT_EQ(pixelAt(image, w - 1, h / 2), dark()) << ratio;
    EXPECT_EQ(pixelAt(image, w / 2, h - 1), dark()) << ratio;
    EXPECT_FALSE(inkBox(image, kBlue).isEmpty()) << ratio;
  }
  const QImage two = button.render({}, item, item.size(), 2);
  const int r = two.width() - 1, b = two.height() - 1;
  for (const QPoint& p : {QPoint(0, 0), QPoint(1, 1), QPoint(0, b - 2), QPoint(r - 2, 0)})
    EXPECT_EQ(pixelAt(two, p.x(), p.y()), light()) << p.x() << "," << p.y();
  for (const QPoint& p : {QPoint(r, b), QPoint(r - 1, b - 1), QPoint(r, 2), QPoint(2, b)})
    EXPECT_EQ(pixelAt(two, p.x(), p.y()), dark()) << p.x() << "," << p.y();
}

}  // namespace
