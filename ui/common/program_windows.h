#pragma once

// How long the program runs, and how its windows stand to each other. The
// calculator form runs modally (its own exec() loop); the windows it opens
// (the 放样表, and those to come) are top-level windows of their own, shown
// beside it: the modal form leaves them usable and the window manager keeps
// them with the form. Closing the form leaves them open, closing one of them
// leaves the form open, and the program ends when its last window closes.

class QWidget;

// Shows `window` (a top-level window, deleted when it closes) beside
// `form`, or on its own where `form` is null.
void ShowBeside(QWidget& window, QWidget* form);

// Once `form` has closed: the windows shown beside it go on alone, and the
// program's event loop runs until the last of them has closed too. Returns
// at once where none is open.
void RunUntilLastWindowCloses(QWidget& form);
