#pragma once

// Realises a dialog template of res/dialog_templates.h under a QDialog: the
// dialog's title, font and fixed size, and every control at its place in
// pixels, with its text, styles and tab position.

#include <QHash>
#include <QRect>

class QDialog;
class QFont;
class QWidget;

namespace res {
struct DialogTemplate;
}

// The classic dialog base units of a font: y is the font's height, x the
// average width of "A".."Z" + "a".."z", rounded.
struct DialogBaseUnits {
  int x;
  int y;
};

DialogBaseUnits dialogBaseUnits(const QFont& font);

// A rectangle in dialog units as pixels: x * baseX / 4 and y * baseY / 8,
// each edge rounded half away from zero, so neighbouring controls stay
// neighbours.
QRect mapDialogRect(const QRect& dialogUnits, DialogBaseUnits units);

// Builds the template under `dialog`. A control whose id has a widget in
// `members` takes that widget (the dialog's own member control) in place of
// a plain one; the member gets the control's geometry, text, styles and tab
// position like any other.
void realiseTemplate(QDialog& dialog, const res::DialogTemplate& tmpl,
                     const QHash<int, QWidget*>& members = {});

// The control of a realised template with that id, or null (the id-less -1
// controls are never found).
QWidget* dialogItem(const QWidget& dialog, int id);

// The control that receives the focus when the dialog opens: the first
// enabled tab stop in template order, or null.
QWidget* firstTabStop(const QWidget& dialog, const res::DialogTemplate& tmpl);
