#pragma once

// 文件 > 最近文件: the design files whose setups are kept (kept_file_setups.h),
// the most recent first, numbered for the keyboard, each with its folder in
// its status tip; read afresh each time the menu opens.

#include <QMenu>

class CRecentFilesMenu : public QMenu {
  Q_OBJECT

 public:
  explicit CRecentFilesMenu(QWidget* parent = nullptr);

  // The entries as the menu shows them now.
  void rebuild();

 signals:
  void chosen(const QString& path);
};
