#include "ui/sheet/recent_files_menu.h"

#include <QDir>
#include <QFileInfo>

#include "ui/sheet/kept_file_setups.h"

CRecentFilesMenu::CRecentFilesMenu(QWidget* parent)
    : QMenu(QStringLiteral("最近文件(&R)"), parent) {
  connect(this, &QMenu::aboutToShow, this, &CRecentFilesMenu::rebuild);
  rebuild();
}

void CRecentFilesMenu::rebuild() {
  clear();
  const QStringList files = RecentFiles(kRecentShown);
  for (int i = 0; i < files.size(); ++i) {
    const QString& path = files[i];
    // "&1 design.csv": the number for the keyboard; an "&" of the name shown.
    const QString name = QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* action = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    action->setStatusTip(QDir::toNativeSeparators(path));
    action->setToolTip(QDir::toNativeSeparators(path));
    connect(action, &QAction::triggered, this, [this, path] { emit chosen(path); });
  }
  if (files.isEmpty()) addAction(QStringLiteral("（无）"))->setEnabled(false);
}
