#include "ui/common/save_path.h"

#include <QFileDialog>

QString AskSavePath(QWidget& parent, const QString& title, const QString& proposed,
                    const QString& suffix) {
  QFileDialog dialog(&parent, title, proposed,
                     QStringLiteral("%1 文件 (*.%2)").arg(suffix.toUpper(), suffix));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().front();
}
