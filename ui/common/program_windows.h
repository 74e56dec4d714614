#pragma once

// How long the program runs, and how its windows stand to each other. The
// calculator form runs modally (its own exec() loop); the windows it opens
// (the 放样表, and those to come) are top-level windows of their own, shown
// beside it: the modal form leaves them usable and the window manager keeps
// them with the form. Closing the form leaves them open, closing one of them
// leaves the form open, and the program ends when its last window closes.

class QPoint;
class QRect;
class QSize;
class QWidget;

// Shows `window` (a top-level window, deleted when it closes) beside
// `form`, or on its own where `form` is null. Where the desktop lets a
// program place its windows (X11; on Wayland the compositor places them),
// it goes beside the form, not over it: at BesideRect.
void ShowBeside(QWidget& window, QWidget* form);

// Sizes and places `window` (not yet shown) beside `form` at BesideRect,
// within the free area of the form's screen.
void PlaceBeside(QWidget& window, const QWidget& form);

// Where the frame of a window goes beside a form whose frame is `form`, on
// a screen whose free area is `screen`: to the right of the form where
// `size` (the window's frame) fits there, else to its left; where it fits
// on neither side, on the side with more room, narrowed to that room but
// not below `minimum`, and as far from the form as the screen allows. Its
// top is level with the form's, moved up as far as needed to end on the
// screen; it is no taller than the screen.
QRect BesideRect(const QRect& form, const QSize& size, const QSize& minimum, const QRect& screen);

// Once `form` has closed: the windows shown beside it go on alone, and the
// program's event loop runs until the last of them has closed too. Returns
// at once where none is open.
void RunUntilLastWindowCloses(QWidget& form);
