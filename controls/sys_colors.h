#pragma once

// Colours as the controls' callers give them, one 32-bit value 0x00BBGGRR
// (0x000000FF is red, 0x00FF0000 blue), their conversion to QColor, and the
// system colours the controls use, read from a widget's palette.

#include <QColor>
#include <cstdint>

class QWidget;

namespace controls {

using COLORREF = std::uint32_t;

// The system colours the controls use, by their classic names.
enum class SysColor {
  WindowText,
  BtnFace,
  BtnShadow,
  BtnText,
  BtnHighlight,
  DkShadow3D,
  Light3D,
};

QColor toQColor(COLORREF color);
COLORREF toColorRef(const QColor& color);

// The system colour as the widget's palette gives it now.
COLORREF sysColor(const QWidget& widget, SysColor index);

}  // namespace controls
