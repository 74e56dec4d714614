#pragma once

// Colour conversion between COLORREF (0x00BBGGRR) and QColor, and the system
// colours the controls use, read from a widget's palette.

#include <QColor>

#include "controls/win_types.h"

class QWidget;

// The system colours by their classic indices.
enum SysColorIndex {
  COLOR_WINDOWTEXT = 8,
  COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_BTNTEXT = 18,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21,
  COLOR_3DLIGHT = 22,
};

QColor toQColor(COLORREF color);
COLORREF toColorRef(const QColor& color);

// The system colour of that index as the widget's palette gives it now.
COLORREF sysColor(const QWidget& widget, SysColorIndex index);
