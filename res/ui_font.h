#pragma once

// The faces the program's windows are set in, and how the screen draws them.
// The program chooses its interface font itself, the dialog templates' face
// (9-point "宋体") through the faces that stand in for it, so that what shows
// does not depend on which sans-serif face the machine happens to have: the
// forms, the window menu, an edit field's menu and the message box alike.

#include <QFont>

namespace res {

struct DialogTemplate;

// `font` as the screen draws it. The dialog face at its own size draws from
// the face's own bitmaps, every pixel of a stroke in the text colour,
// while all screens are at 100%; on a scaled screen, and in every other face
// or size, text is smooth (anti-aliased).
QFont RenderedFont(QFont font);

// The face and size a template names, as the screen draws it.
QFont DialogFont(const DialogTemplate& tmpl);

// Maps the faces the dialogs name ("宋体", "隶书", "Arial") onto the Debian
// faces that stand in for them, then makes the templates' dialog face the
// application's font. Needs the application object; the program and its GUI
// tests call it.
void InstallUiFont();

}  // namespace res
