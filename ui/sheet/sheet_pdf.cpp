#include "ui/sheet/sheet_pdf.h"

#include <QPdfWriter>

#include "ui/common/pdf_file.h"

QString WriteSheetPdf(const SetoutSheet& sheet, const QString& path, const QString& date,
                      const std::atomic<bool>* stop, const SheetPrinter::Progress& progress,
                      const SheetChoices& choices) {
  const SheetPrinter printer(sheet, date, choices);
  return WritePdfFile(path, QStringLiteral("放样表"), printer.pageLayout(), stop,
                      [&](QPdfWriter& writer) { return printer.print(writer, stop, progress); });
}
