// The printing module: Qt's printer and print preview, loaded by the program
// the first time someone prints (ui/print_preview.h).

#include "ui/sheet/print_module.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT void corvane_print_preview(QWidget* parent, const QString& title,
                                                    PagePainter paint, void* context) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName(title);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(QStringLiteral("打印预览 - %1").arg(title));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&](QPrinter* target) { paint(*target, context); });
  preview.exec();
}
