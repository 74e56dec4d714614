#pragma once

// Qt's built-in "Windows" style, the program's look, with the 3-D frame of
// edit fields filled in one-pixel strips instead of stroked as lines. On a
// screen scaled by a fraction a field can start between two device pixels;
// the style's lines then miss the field's last column or row, and the
// field shows without its right or bottom border. The strips cover whole
// logical pixels, so every side shows at any scale, and at a scale of one
// the frame is the style's own, pixel for pixel.
//
// Its standard palette is the Windows style's with hints (placeholder text:
// "米", "点名", "空：测站点的高程") in the grey Windows writes its grey
// text in, so that a hint never reads as a value typed in black.

#include <QProxyStyle>

class CClassicStyle : public QProxyStyle {
 public:
  // Takes over `windows`, Qt's "Windows" style.
  explicit CClassicStyle(QStyle* windows);

  QPalette standardPalette() const override;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
