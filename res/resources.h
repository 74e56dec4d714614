#pragma once

// The program's icons, cursors and strings, looked up by their resource id
// (res/resource.h). The artwork is kept as text (XPM) so a diff shows it.

#include <QCursor>
#include <QIcon>
#include <QString>
#include <optional>

namespace res {

// The icon of that id, or a null icon when the program has none. Each icon
// holds a 32-pixel picture, the size it is placed by, and a 64-pixel one for
// screens scaled by two; the application icon also 16 and 24-pixel ones.
QIcon LoadIconResource(int id);

// The cursor of that id, or nothing when the program has none. A cursor is a
// picture with transparency, 32 pixels, or its own 64-pixel picture when the
// screen is scaled by two or more.
std::optional<QCursor> LoadCursorResource(int id);

// The string-table entry of that id, or an empty string.
QString LoadStringResource(int id);

}  // namespace res
