// The program's look: Qt's "Windows" style, with edit-field frames that keep
// all four sides on screens scaled by a fraction.

#include "ui/common/classic_style.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <memory>

namespace {

QImage frameOf(QStyle& style, const QSize& size, QStyle::State state) {
  QImage image(size + QSize(4, 4), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QStyleOptionFrame option;
  option.rect = QRect(QPoint(2, 2), size);
  option.palette = style.standardPalette();
  option.lineWidth = 2;
  option.state = state;
  QPainter painter(&image);
  style.drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter);
  return image;
}

TEST(ClassicStyle, AtAScaleOfOneEditFramesAreTheWindowsStylesOwn) {
  CClassicStyle classic(QStyleFactory::create("Windows"));
  const std::unique_ptr<QStyle> windows(QStyleFactory::create("Windows"));
  for (const QSize& size : {QSize(99, 18), QSize(66, 21), QSize(5, 5), QSize(4, 4), QSize(2, 3)})
    for (QStyle::State state :
         {QStyle::State_Sunken | QStyle::State_Enabled, QStyle::State(QStyle::State_Enabled),
          QStyle::State(QStyle::State_Sunken)})
      EXPECT_EQ(frameOf(classic, size, state), frameOf(*windows, size, state))
          << size.width() << "x" << size.height() << " state " << int(state);
}

// A field shows all four sides of its frame, dark at the left and top and
// light at the right and bottom, at every scale: also where it starts
// between two device pixels, as every field at an odd position does at a
// scale of 1.5, where the light right and bottom border must still take the
// last device pixels it covers.
TEST(ClassicStyle, EditFramesKeepAllFourSidesAtEveryScale) {
  CClassicStyle classic(QStyleFactory::create("Windows"));
  const QColor light = classic.standardPalette().color(QPalette::Light);
  const QColor dark = classic.standardPalette().color(QPalette::Dark);
  QLineEdit edit;
  edit.setStyle(&classic);
  edit.setPalette(classic.standardPalette());
  edit.resize(99, 18);
  for (qreal ratio : {1.25, 1.5, 2.0})
    for (int x = 10; x < 14; ++x) {
      QImage image(QSize(120, 24) * ratio, QImage::Format_ARGB32_Premultiplied);
      image.setDevicePixelRatio(ratio);
      image.fill(Qt::black);
      edit.render(&image, QPoint(x, 3));
      const QRect device = QRectF(x * ratio, 3 * ratio, 99 * ratio, 18 * ratio).toAlignedRect();
      // The outermost device pixel the field painted across its middle row
      // and column, coming from outside at `at` in steps of `step`.
      const auto outermost = [&](QPoint at, const QPoint& step) {
        while (image.pixelColor(at) == Qt::black) at += step;
        return image.pixelColor(at);
      };
      const QPoint middle = device.center();
      EXPECT_EQ(outermost({device.left(), middle.y()}, {1, 0}), dark) << ratio << " at " << x;
      EXPECT_EQ(outermost({middle.x(), device.top()}, {0, 1}), dark) << ratio << " at " << x;
      EXPECT_EQ(outermost({device.right(), middle.y()}, {-1, 0}), light) << ratio << " at " << x;
      EXPECT_EQ(outermost({middle.x(), device.bottom()}, {0, -1}), light) << ratio << " at " << x;
    }
}

}  // namespace
