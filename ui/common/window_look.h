#pragma once

// How the program's windows show what they share, in one place: the colour
// of what failed, and the faces their tables and pages draw packed angles
// and D°M′S″ with.

#include <QColor>
#include <QFont>

// Failed rows, their points in a plan or sketch, a field's problem, and
// what keeps a table from being computed.
QColor ErrorColour();

// `font` with its letters, digits and the primes of D°M′S″ from "Arial",
// whose ′ and ″ are narrow, and its Chinese from its own face: a Song face's
// primes are full-width and leave a gap in 6°30′ 30″. For the windows'
// tables, their check lines and their pages.
QFont WithNarrowPrimes(QFont font);

// The bold of `font` as the printed pages set it: Latin letters and digits
// from "Arial", Chinese from the font's own (Song) face (WithNarrowPrimes),
// drawn from the faces' outlines. Made bold from the Song face's bitmaps,
// "mm" would show as black blocks and 读数残差 as a blob.
QFont BoldFace(QFont font);
