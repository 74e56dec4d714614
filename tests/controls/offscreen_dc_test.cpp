#include "controls/offscreen_dc.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>

#include "test_support.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;

QImage whiteTarget() {
  QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
  image.fill(kWhite);
  return image;
}

TEST(OffscreenSurface, ClipBoxAwayFromOriginLandsAtTheSameCoordinates) {
  QImage target = whiteTarget();
  QPainter painter(&target);
  painter.setClipRect(QRect(10, 8, 20, 12));
  {
    COffscreenDC dc(&painter);
    dc.painter().fillRect(QRect(12, 10, 3, 2), Qt::red);
  }
  painter.end();
  EXPECT_EQ(pixelAt(target, 12, 10), kRed);
  EXPECT_EQ(pixelAt(target, 14, 11), kRed);
  EXPECT_NE(pixelAt(target, 15, 10), kRed);
  EXPECT_NE(pixelAt(target, 12, 12), kRed);
  EXPECT_EQ(inkBox(target, kRed), QRect(12, 10, 3, 2));
}

TEST(OffscreenSurface, DrawsInTheTargetsLogicalCoordinates) {
  QImage target = whiteTarget();
  QPainter painter(&target);
  painter.translate(5, 4);
  painter.setClipRect(QRect(0, 0, 20, 10));
  {
    COffscreenDC dc(&painter);
    dc.painter().fillRect(QRect(2, 3, 1, 1), Qt::red);
  }
  painter.end();
  EXPECT_EQ(inkBox(target, kRed), QRect(7, 7, 1, 1));
}

TEST(OffscreenSurface, TargetChangesOnlyInOneTransferAtTheEnd) {
  QImage target = whiteTarget();
  QPainter painter(&target);
  painter.setClipRect(QRect(0, 0, 20, 20));
  {
    COffscreenDC dc(&painter);
    EXPECT_NE(&dc.painter(), &painter);
    dc.painter().fillRect(QRect(0, 0, 5, 5), Qt::red);
    EXPECT_EQ(pixelAt(target, 1, 1), kWhite);
  }
  EXPECT_EQ(pixelAt(target, 1, 1), kRed);
}

TEST(OffscreenSurface, DrawingOutsideTheClipBoxIsLost) {
  QImage target = whiteTarget();
  QPainter painter(&target);
  painter.setClipRect(QRect(10, 10, 10, 10));
  {
    COffscreenDC dc(&painter);
    dc.painter().fillRect(target.rect(), Qt::red);
  }
  painter.end();
  EXPECT_EQ(inkBox(target, kRed), QRect(10, 10, 10, 10));
  EXPECT_EQ(pixelAt(target, 9, 9), kWhite);
  EXPECT_EQ(pixelAt(target, 20, 20), kWhite);
}

TEST(OffscreenSurface, ZeroSizedClipBoxLeavesTheTargetAsItWas) {
  for (const QRect& clip : {QRect(5, 5, 0, 10), QRect(5, 5, 10, 0)}) {
    QImage target = whiteTarget();
    QPainter painter(&target);
    painter.setClipRect(clip);
    {
      COffscreenDC dc(&painter);
      dc.painter().fillRect(target.rect(), Qt::red);
    }
    painter.end();
    EXPECT_EQ(target, whiteTarget());
  }
}

TEST(OffscreenSurface, PrintingTargetIsDrawnOnDirectlyAndLeftActive) {
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  QPainter painter(&writer);
  {
    COffscreenDC dc(&painter);
    EXPECT_EQ(&dc.painter(), &painter);
    dc.painter().fillRect(QRect(0, 0, 100, 100), Qt::red);
  }
  EXPECT_TRUE(painter.isActive());
  painter.fillRect(QRect(100, 100, 10, 10), Qt::blue);
  EXPECT_TRUE(painter.end());
  EXPECT_TRUE(pdf.data().startsWith("%PDF"));
}

// On a scaled screen the surface puts every shape on the device pixels that
// drawing straight on the target would have given, a clip box away from the
// origin and between device pixels included.
TEST(OffscreenSurface, AtScreenScalesShapesLandWhereTheyWouldOnTheTarget) {
  for (qreal ratio : {1.25, 1.5, 2.0}) {
    // A paint covers its whole area, as the button's does.
    const auto draw = [](QPainter& dc) {
      dc.fillRect(QRect(0, 0, 40, 30), Qt::yellow);
      dc.fillRect(QRect(6, 4, 7, 5), Qt::red);
      dc.fillRect(QRect(5, 3, 1, 12), Qt::blue);
      dc.fillRect(QRect(24, 14, 1, 1), Qt::green);
    };
    QImage direct(QSize(40, 30) * ratio, QImage::Format_ARGB32_Premultiplied);
    direct.setDevicePixelRatio(ratio);
    direct.fill(kWhite);
    QImage buffered = direct.copy();
    {
      QPainter painter(&direct);
      painter.translate(3, 2);
      painter.setClipRect(QRect(5, 3, 20, 12));
      draw(painter);
    }
    {
      QPainter painter(&buffered);
      painter.translate(3, 2);
      painter.setClipRect(QRect(5, 3, 20, 12));
      COffscreenDC dc(&painter);
      draw(dc.painter());
    }
    EXPECT_EQ(buffered, direct) << ratio;
    EXPECT_FALSE(inkBox(buffered, kRed).isEmpty()) << ratio;
  }
}

}  // namespace
