#include "controls/sys_colors.h"

#include <QPalette>
#include <QWidget>

QColor toQColor(COLORREF color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

COLORREF toColorRef(const QColor& color) {
  const QRgb rgb = color.rgb();
  return COLORREF(qRed(rgb)) | COLORREF(qGreen(rgb)) << 8 | COLORREF(qBlue(rgb)) << 16;
}

namespace {

QPalette::ColorRole roleOf(SysColorIndex index) {
  switch (index) {
    case COLOR_WINDOWTEXT:
      return QPalette::WindowText;
    case COLOR_BTNFACE:
      return QPalette::Button;
    case COLOR_BTNSHADOW:
      return QPalette::Dark;
    case COLOR_BTNTEXT:
      return QPalette::ButtonText;
    case COLOR_BTNHIGHLIGHT:
      return QPalette::Light;
    case COLOR_3DDKSHADOW:
      return QPalette::Shadow;
    case COLOR_3DLIGHT:
      return QPalette::Midlight;
  }
  return QPalette::Window;
}

}  // namespace

COLORREF sysColor(const QWidget& widget, SysColorIndex index) {
  // System colours do not depend on whether the window is active.
  return toColorRef(widget.palette().color(QPalette::Active, roleOf(index)));
}
