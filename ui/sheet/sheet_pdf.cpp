#include "ui/sheet/sheet_pdf.h"

#include <QPdfWriter>

#include "ui/common/pdf_file.h"
#include "ui/sheet/sheet_look.h"

QString WriteSheetPdf(const SetoutSheet& sheet, const QString& path, const QString& date,
                      const std::atomic<bool>* stop, const SheetPrinter::Progress& progress) {
  return WritePdfFile(path, QStringLiteral("放样表"), SheetPageLayout(), stop,
                      [&](QPdfWriter& writer) {
                        return SheetPrinter(sheet, date).print(writer, stop, progress);
                      });
}
