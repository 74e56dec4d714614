#include "controls/sys_colors.h"

#include <QPalette>
#include <QWidget>

namespace controls {

QColor toQColor(COLORREF color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

COLORREF toColorRef(const QColor& color) {
  const QRgb rgb = color.rgb();
  return COLORREF(qRed(rgb)) | COLORREF(qGreen(rgb)) << 8 | COLORREF(qBlue(rgb)) << 16;
}

namespace {

QPalette::ColorRole roleOf(SysColor index) {
  switch (index) {
    case SysColor::WindowText:
      return QPalette::WindowText;
    case SysColor::BtnFace:
      return QPalette::Button;
    case SysColor::BtnShadow:
      return QPalette::Dark;
    case SysColor::BtnText:
      return QPalette::ButtonText;
    case SysColor::BtnHighlight:
      return QPalette::Light;
    case SysColor::DkShadow3D:
      return QPalette::Shadow;
    case SysColor::Light3D:
      return QPalette::Midlight;
  }
  return QPalette::Window;
}

}  // namespace

COLORREF sysColor(const QWidget& widget, SysColor index) {
  // System colours do not depend on whether the window is active.
  return toColorRef(widget.palette().color(QPalette::Active, roleOf(index)));
}

}  // namespace controls
