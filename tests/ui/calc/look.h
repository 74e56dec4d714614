#pragma once

// Reading what a window shows: the colour most of a control is painted in,
// whether a colour shows at all, how many pixels each colour covers, and the
// face a font really resolved to.

#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QWidget>
#include <cstdlib>

namespace look {

// The control as its next paint shows it.
inline QImage shown(QWidget& widget) { return widget.grab().toImage(); }

// The colour that covers most of the image: a control's background.
inline QRgb background(const QImage& image) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y) | 0xFF000000u];
  QRgb best = 0;
  int most = -1;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it)
    if (it.value() > most) best = it.key(), most = it.value();
  return best;
}

// How many pixels of the image are drawn in that colour. Small captions are
// anti-aliased and may never reach the pure colour, so a pixel counts when
// every channel lies within a quarter of the range of it: far from the
// button face and from the other colours the controls use.
inline int inkOf(const QImage& image, QRgb colour) {
  const auto near = [](int a, int b) { return std::abs(a - b) < 0x40; };
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      count += near(qRed(pixel), qRed(colour)) && near(qGreen(pixel), qGreen(colour)) &&
               near(qBlue(pixel), qBlue(colour));
    }
  return count;
}

// How many pixels of the image have each colour, transparency included.
inline QHash<QRgb, int> pixelCounts(const QImage& image) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  return counts;
}

inline QString family(const QWidget& widget) { return QFontInfo(widget.font()).family(); }

}  // namespace look
