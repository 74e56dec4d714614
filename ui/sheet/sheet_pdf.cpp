#include "ui/sheet/sheet_pdf.h"

#include <QPdfWriter>
#include <QSaveFile>

QString WriteSheetPdf(const SetoutSheet& sheet, const QString& path, const QString& date,
                      const std::atomic<bool>* stop, const SheetPrinter::Progress& progress,
                      const SheetChoices& choices) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  bool printed = false;
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Corvane"));
    writer.setTitle(QStringLiteral("放样表"));
    const SheetPrinter printer(sheet, date, choices);
    writer.setPageLayout(printer.pageLayout());
    printed = printer.print(writer, stop, progress);
  }
  if (stop && *stop) {
    file.cancelWriting();
    return QString();
  }
  if (!printed || !file.commit()) {
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("?") : reason;
  }
  return QString();
}
