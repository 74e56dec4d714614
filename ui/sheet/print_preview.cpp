#include "ui/sheet/print_preview.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include "ui/sheet/print_module.h"

namespace {

void paintThrough(QPagedPaintDevice& device, void* paint) {
  (*static_cast<const std::function<void(QPagedPaintDevice&)>*>(paint))(device);
}

}  // namespace

QString ShowPrintPreview(QWidget* parent, const QString& title,
                         const std::function<void(QPagedPaintDevice&)>& paint) {
  const QDir program(QCoreApplication::applicationDirPath());
  QLibrary module(
      program.filePath(QStringLiteral("../" CORVANE_MODULE_DIR "/" CORVANE_PRINT_MODULE)));
  const auto preview = reinterpret_cast<PrintPreviewFunction>(module.resolve(kPrintPreviewSymbol));
  if (!preview) return QStringLiteral("无法打印：%1").arg(module.errorString());
  preview(parent, title, paintThrough, const_cast<void*>(static_cast<const void*>(&paint)));
  return QString();
}
