#include "ui/common/save_path.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

QString AskSavePath(QWidget& parent, const QString& title, const QString& proposed,
                    const QString& suffix, const QString& choice, bool* chosen) {
  QFileDialog dialog(&parent, title, proposed,
                     QStringLiteral("%1 文件 (*.%2)").arg(suffix.toUpper(), suffix));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  QCheckBox* box = nullptr;
  // Qt's own dialog is laid out in a grid: the choice goes under it.
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()); grid && chosen && !choice.isEmpty()) {
    box = new QCheckBox(choice, &dialog);
    box->setChecked(*chosen);
    grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  if (box) *chosen = box->isChecked();
  return dialog.selectedFiles().front();
}
