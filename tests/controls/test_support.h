#pragma once

// Helpers shared by the control tests: reading pixels and counting paints.

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPalette>
#include <QRect>
#include <QWidget>

// The palette colour of a role as the controls read it.
inline QRgb roleColor(const QWidget& widget, QPalette::ColorRole role) {
  return widget.palette().color(QPalette::Active, role).rgb();
}

inline QRgb pixelAt(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

// The smallest rectangle holding every pixel of that colour; empty if none.
inline QRect inkBox(const QImage& image, QRgb color) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (pixelAt(image, x, y) == (color | 0xFF000000u)) box |= QRect(x, y, 1, 1);
  return box;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};
