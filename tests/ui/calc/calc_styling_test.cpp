// The calculator's own look: the red heading, the three flat icon buttons
// that light up under the pointer, and the about entry of the window menu.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "controls/icon_button.h"
#include "controls/styled_label.h"
#include "look.h"
#include "res/resource.h"
#include "res/resources.h"
#include "ui/calc/calc_dialog.h"
#include "ui/calc/dialog_template.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr QRgb kBlack = 0xFF000000;

// A calculator whose string table has no text for the about entry.
class CalcWithoutAboutText : public CCalcDialog {
 protected:
  QString aboutMenuText() const override { return QString(); }
};

class CalcStyling : public testing::Test {
 protected:
  void SetUp() override {
    calc.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
    // Two points, so that the window sees a move even where the pointer
    // rested at the end of the test before.
    moveTo(kBackground + QPoint(2, 0));
    moveTo(kBackground);
  }

  CIconButton* button(int id) { return dynamic_cast<CIconButton*>(dialogItem(calc, id)); }
  void moveTo(const QPoint& point) { QTest::mouseMove(calc.windowHandle(), point); }
  QPoint centreOf(int id) { return dialogItem(calc, id)->geometry().center(); }
  QRgb face() const { return calc.palette().color(QPalette::Button).rgb(); }

  // The left part of an idle button, where its icon sits: the icon 3 pixels
  // in from the left edge and centred in height, over the button face.
  QImage expectedIconStrip(int iconId, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(face());
    QPainter painter(&image);
    painter.drawPixmap(3, (size.height() - 32) / 2, res::LoadIconResource(iconId).pixmap(32, 32));
    painter.end();
    return image.copy(0, 0, 35, size.height());
  }

  const QPoint kBackground{3, 3};
  CCalcDialog calc;
};

TEST_F(CalcStyling, HeadingIsRedUnderlinedItalicArialSixteen) {
  auto* heading = dynamic_cast<CStyledLabel*>(dialogItem(calc, IDC_TITLE));
  ASSERT_NE(heading, nullptr);
  const QImage image = look::shown(*heading);
  EXPECT_EQ(look::family(*heading), "Liberation Sans");
  EXPECT_EQ(heading->font().pixelSize(), 16);
  EXPECT_TRUE(heading->font().underline());
  EXPECT_TRUE(heading->font().italic());
  EXPECT_EQ(heading->font().weight(), QGuiApplication::font().weight());
  EXPECT_GT(look::inkOf(image, kRed), 0);
  EXPECT_EQ(look::background(image), face());
  EXPECT_EQ(heading->text(), "坐标的正算和反算");
}

TEST_F(CalcStyling, ButtonsAreFlatWithTheirIconsAndBlackCaptions) {
  const QList<std::pair<int, int>> buttons = {
      {IDOK, IDI_COMPUTE}, {IDCANCEL, IDI_EXIT}, {IDC_ABOUT, IDI_ABOUT}};
  for (const auto& [id, iconId] : buttons) {
    CIconButton* flat = button(id);
    ASSERT_NE(flat, nullptr) << id;
    const QImage image = look::shown(*flat);
    EXPECT_EQ(image.copy(0, 0, 35, image.height()), expectedIconStrip(iconId, image.size())) << id;
    const QImage caption = image.copy(35, 0, image.width() - 35, image.height());
    EXPECT_GT(look::inkOf(caption, kBlack), 0) << id;
    EXPECT_EQ(look::inkOf(image, kMagenta), 0) << id;
    EXPECT_EQ(look::background(image), face()) << id;
  }
}

TEST_F(CalcStyling, ButtonUnderThePointerLightsMagentaWithTheHand) {
  for (int id : {IDOK, IDCANCEL, IDC_ABOUT}) {
    moveTo(centreOf(id));
    const QImage lit = look::shown(*button(id));
    EXPECT_EQ(look::background(lit), face()) << id;
    EXPECT_GT(look::inkOf(lit, kMagenta), 0) << id;
    EXPECT_EQ(look::inkOf(lit.copy(35, 0, lit.width() - 35, lit.height()), kBlack), 0) << id;
    EXPECT_EQ(calc.windowHandle()->cursor().shape(), Qt::BitmapCursor) << id;
    EXPECT_EQ(calc.windowHandle()->cursor().hotSpot(), QPoint(5, 0)) << id;
    moveTo(kBackground);
    EXPECT_EQ(look::inkOf(look::shown(*button(id)), kMagenta), 0) << id;
    EXPECT_EQ(calc.windowHandle()->cursor().shape(), Qt::ArrowCursor) << id;
  }
}

// Click "关于", move over "计算" and "退出" while the box is open, press
// Escape and move off the buttons: no button lights under the box, and none
// stays lit after it. When the box goes away, the window under the pointer
// gets an enter (as the X server sends one) without a move.
TEST_F(CalcStyling, NoButtonLightsUnderTheAboutBoxNorStaysLitAfterIt) {
  const auto lit = [&](int id) { return look::inkOf(look::shown(*button(id)), kMagenta) > 0; };
  bool seen = false;
  QTimer whileOpen;
  whileOpen.callOnTimeout([&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box) return;
    whileOpen.stop();
    seen = true;
    for (int id : {IDOK, IDCANCEL}) moveTo(centreOf(id));
    for (int id : {IDOK, IDCANCEL, IDC_ABOUT}) EXPECT_FALSE(lit(id)) << id;
    QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
    const QPoint exit = centreOf(IDCANCEL);
    QEnterEvent enter(exit, exit, calc.mapToGlobal(exit));
    QCoreApplication::sendEvent(calc.windowHandle(), &enter);
  });
  whileOpen.start(1);
  moveTo(centreOf(IDC_ABOUT));
  QTest::mouseClick(calc.windowHandle(), Qt::LeftButton, {}, centreOf(IDC_ABOUT));
  ASSERT_TRUE(seen);
  moveTo(kBackground);
  for (int id : {IDOK, IDCANCEL, IDC_ABOUT}) EXPECT_FALSE(lit(id)) << id;
  moveTo(centreOf(IDCANCEL));
  EXPECT_TRUE(lit(IDCANCEL));
}

TEST_F(CalcStyling, ComputeStaysTheDefaultButton) {
  EXPECT_TRUE(button(IDOK)->isDefault());
  EXPECT_FALSE(button(IDCANCEL)->isDefault());
  EXPECT_FALSE(button(IDC_ABOUT)->isDefault());
}

TEST_F(CalcStyling, WindowMenuHoldsCloseThenSeparatorAboutSetoutRoadTransformAndControlEntries) {
  const QList<QAction*> actions = calc.windowMenu().actions();
  ASSERT_EQ(actions.size(), 7);
  EXPECT_EQ(actions[0]->text(), "关闭(&C)");
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_EQ(actions[2]->text(), "关于 Corvane(&A)...");
  EXPECT_EQ(actions[2]->data().toUInt(), unsigned(IDM_ABOUT));
  EXPECT_EQ(actions[3]->text(), "放样表(&S)...");
  EXPECT_EQ(actions[3]->data().toUInt(), unsigned(IDM_SETOUT));
  EXPECT_EQ(actions[4]->text(), "线路(&R)...");
  EXPECT_EQ(actions[4]->data().toUInt(), unsigned(IDM_ROAD));
  EXPECT_EQ(actions[5]->text(), "坐标转换(&T)...");
  EXPECT_EQ(actions[5]->data().toUInt(), unsigned(IDM_TRANSFORM));
  EXPECT_EQ(actions[6]->text(), "导线/水准(&L)...");
  EXPECT_EQ(actions[6]->data().toUInt(), unsigned(IDM_CONTROL));
}

TEST(CalcWindowMenu, WithoutTheAboutTextNeitherSeparatorNorEntry) {
  CalcWithoutAboutText calc;
  calc.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  const QList<QAction*> actions = calc.windowMenu().actions();
  ASSERT_EQ(actions.size(), 5);
  EXPECT_EQ(actions[0]->text(), "关闭(&C)");
  EXPECT_EQ(actions[1]->data().toUInt(), unsigned(IDM_SETOUT));
  EXPECT_EQ(actions[2]->data().toUInt(), unsigned(IDM_ROAD));
  EXPECT_EQ(actions[3]->data().toUInt(), unsigned(IDM_TRANSFORM));
  EXPECT_EQ(actions[4]->data().toUInt(), unsigned(IDM_CONTROL));
}

// --- The program's artwork ---------------------------------------------

QSet<QRgb> colours(const QImage& image) {
  QSet<QRgb> found;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) found.insert(image.pixel(x, y));
  return found;
}

// Every icon is a 32-pixel picture, drawn again at 64 pixels for screens
// scaled by two: the same colours, but artwork of its own rather than the
// small picture doubled. The window's icon has 16 and 24-pixel artwork too.
TEST(Artwork, IconsAre32PixelPicturesWithTheir64PixelArtwork) {
  for (int id : {IDI_APP, IDI_COMPUTE, IDI_EXIT, IDI_ABOUT}) {
    const QIcon icon = res::LoadIconResource(id);
    QList<QSize> sizes = {QSize(32, 32), QSize(64, 64)};
    if (id == IDI_APP) sizes << QSize(16, 16) << QSize(24, 24);
    ASSERT_EQ(icon.availableSizes(), sizes) << id;
    const QImage small = icon.pixmap(QSize(32, 32), 1.0).toImage();
    const QImage large = icon.pixmap(QSize(64, 64), 1.0).toImage();
    ASSERT_EQ(large.size(), QSize(64, 64)) << id;
    EXPECT_GE(colours(small).size(), 4) << id;
    EXPECT_EQ(colours(large), colours(small)) << id;
    EXPECT_NE(large, small.scaled(64, 64)) << id;
  }
  EXPECT_LE(colours(res::LoadIconResource(IDI_ABOUT).pixmap(32, 32).toImage()).size(), 16);
}

TEST(Artwork, HandCursorIsMonochromeWithItsHotSpotOnTheFingertip) {
  const std::optional<QCursor> hand = res::LoadCursorResource(IDCUR_HAND);
  ASSERT_TRUE(hand);
  EXPECT_EQ(hand->hotSpot(), QPoint(5, 0));
  const QImage black = hand->bitmap().toImage();
  const QImage shows = hand->mask().toImage();
  ASSERT_EQ(black.size(), QSize(32, 32));
  ASSERT_EQ(shows.size(), QSize(32, 32));
  const auto set = [](const QImage& image, int x, int y) { return image.pixelIndex(x, y) == 1; };
  EXPECT_TRUE(set(shows, 5, 0) && set(black, 5, 0));   // the fingertip's black outline
  EXPECT_TRUE(set(shows, 5, 3) && !set(black, 5, 3));  // white inside the finger
  EXPECT_FALSE(set(shows, 0, 0));                      // transparent beside the finger
  EXPECT_FALSE(set(shows, 31, 31));
  // Qt's Wayland plugin draws only cursors made from a picture: at scale 1 the
  // 32-pixel hand, pixel for pixel what the earlier bitmap and mask showed.
  EXPECT_EQ(look::pixelCounts(hand->pixmap().toImage()),
            (QHash<QRgb, int>{{0xFF000000, 77}, {0xFFFFFFFF, 158}, {0x00000000, 789}}));
}

TEST(StringTable, HoldsTheAboutEntryText) {
  EXPECT_EQ(res::LoadStringResource(IDS_ABOUT_MENU), "关于 Corvane(&A)...");
  EXPECT_TRUE(res::LoadStringResource(4711).isEmpty());
}

}  // namespace
