// How the windows draw their text. On an unscaled screen the 9-point dialog
// face draws from its bitmaps, so every pixel of a stroke is the text colour;
// the larger faces (the red heading, the about box's clerical description
// and Arial version) stay smooth. On a scaled screen everything is smooth:
// this suite runs again at QT_SCALE_FACTOR 2, 1.5 and 1.25 (tests/ui/calc/CMakeLists.txt).

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "controls/styled_label.h"
#include "look.h"
#include "res/resource.h"
#include "ui/calc/about_box.h"
#include "ui/calc/calc_dialog.h"
#include "ui/calc/dialog_template.h"

namespace {

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kBlack = 0xFF000000;

// The pixels of the text of one control, on the device's own pixels.
struct TextPixels {
  int ink = 0;    // exactly the text colour
  int blend = 0;  // neither the text colour nor the background: smoothing
};

// `inset` logical pixels of the control's edge are left out (a frame).
TextPixels textPixels(QWidget& widget, QRgb background, QRgb ink, int inset = 0) {
  const QImage image = look::shown(widget);
  const qreal ratio = image.devicePixelRatio();
  const QRect area(QPointF(inset, inset).toPoint() * ratio,
                   (QSizeF(widget.size()) - QSizeF(2 * inset, 2 * inset)).toSize() * ratio);
  TextPixels seen;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb pixel = image.pixel(x, y) | 0xFF000000u;
      if (pixel == ink)
        ++seen.ink;
      else if (pixel != background)
        ++seen.blend;
    }
  return seen;
}

struct Sample {
  const char* what;
  QWidget* widget;
  QRgb background;
  QRgb ink;
  int inset;
  bool crispUnscaled;  // drawn crisp where every screen is at 100%
};

TEST(FaceRendering, DialogFaceIsCrispOnUnscaledScreensOtherFacesAndScaledScreensSmooth) {
  CCalcDialog calc;
  calc.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  const auto field = [&](int id) { return qobject_cast<QLineEdit*>(dialogItem(calc, id)); };
  field(IDC_START_X)->setText("1000");
  field(IDC_START_Y)->setText("2000");
  field(IDC_AZIMUTH)->setText("45.3025");
  field(IDC_DISTANCE)->setText("100");
  QTest::keyClick(field(IDC_DISTANCE), Qt::Key_Return);
  ASSERT_EQ(field(IDC_RESULT_X)->text(), "1070.082282");

  CAboutBox box(&calc);
  box.show();  // shown without its modal loop: only looked at
  const auto aboutItem = [&](int id) { return dialogItem(box, id); };

  const QRgb face = calc.palette().color(QPalette::Button).rgb();
  const QRgb base = calc.palette().color(QPalette::Base).rgb();
  const int frame = 2;  // the edit field's sunken edge
  const Sample samples[] = {
      {"result X digits", field(IDC_RESULT_X), base, kBlack, frame, true},
      {"caption 结果X", dialogItem(calc, IDC_CAPTION_X), face, kBlack, 0, true},
      {"copyright, bold", aboutItem(IDC_COPYRIGHT), face, kRed, 0, true},
      {"mail link, underlined", aboutItem(IDC_LINK), face, kBlue, 0, true},
      {"heading, Arial 16", dialogItem(calc, IDC_TITLE), face, kRed, 0, false},
      {"version, Arial 16", aboutItem(IDC_VERSION), face, kRed, 0, false},
      {"description, clerical 15", aboutItem(IDC_DESCRIPTION), face, kBlack, 0, false},
  };
  const bool unscaled = qApp->devicePixelRatio() == 1.0;
  for (const Sample& sample : samples) {
    const TextPixels seen = textPixels(*sample.widget, sample.background, sample.ink, sample.inset);
    EXPECT_GT(seen.ink + seen.blend, 0) << sample.what << ": no text";
    if (sample.crispUnscaled && unscaled)
      EXPECT_EQ(seen.blend, 0) << sample.what << ": grey or tinted pixels in crisp text";
    else
      EXPECT_GT(seen.blend, 0) << sample.what << ": no smoothing";
  }
}

// How wide the strokes of a label's red text on black are, in logical
// pixels: the mean length, row by row, of the runs of pixels that the red
// covers by more than half.
double strokeWidth(QWidget& label) {
  const QImage image = look::shown(label);
  const auto ink = [&](int x, int y) { return qRed(image.pixel(x, y)) > 0x7F; };
  int inked = 0, runs = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      inked += ink(x, y);
      runs += ink(x, y) && (x == 0 || !ink(x - 1, y));
    }
  return runs == 0 ? 0.0 : double(inked) / runs / image.devicePixelRatio();
}

// The dialog face has no bold of its own. Its bold strokes are two pixels
// wide on an unscaled screen, one more than the regular face's, and keep
// that width on a scaled one instead of the font engine's faint thickening.
TEST(FaceRendering, TheCopyrightIsAsBoldOnScaledScreensAsUnscaled) {
  CAboutBox box;
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  auto& copyright = dynamic_cast<CStyledLabel&>(*dialogItem(box, IDC_COPYRIGHT));
  copyright.EnableBackFlash(false);  // red on its own black background
  EXPECT_GE(strokeWidth(copyright), 1.6);
}

}  // namespace
