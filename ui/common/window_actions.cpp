#include "ui/common/window_actions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>

QToolBar* AddToolBar(QMainWindow& window) {
  QToolBar* tools = window.addToolBar(QStringLiteral("工具栏"));
  tools->setObjectName(QStringLiteral("tools"));
  tools->setMovable(false);
  tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  return tools;
}

QAction* AddMenuAction(QMenu& menu, QToolBar* tools, QStyle::StandardPixmap icon,
                       const QString& text, const QKeySequence& keys) {
  QAction* action = menu.addAction(menu.style()->standardIcon(icon), text);
  action->setShortcut(keys);
  if (tools) tools->addAction(action);
  return action;
}
