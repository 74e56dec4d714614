#pragma once

// The menus and tool bar of the program's windows, alike in each: a fixed
// tool bar of icons with their texts beside them, and actions with an icon
// from the style, a shortcut, and a place on the tool bar where asked.

#include <QKeySequence>
#include <QString>
#include <QStyle>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The window's tool bar, 工具栏, not movable.
QToolBar* AddToolBar(QMainWindow& window);

// An action of `menu` (and of `tools` where it is given).
QAction* AddMenuAction(QMenu& menu, QToolBar* tools, QStyle::StandardPixmap icon,
                       const QString& text, const QKeySequence& keys = {});
