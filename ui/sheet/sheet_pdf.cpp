#include "ui/sheet/sheet_pdf.h"

#include <QDate>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include "ui/sheet/sheet_printer.h"

QString WriteSheetPdf(const SetoutSheet& sheet, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return QStringLiteral("无法写入 %1：%2").arg(path, file.errorString());
  {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Corvane"));
    writer.setTitle(QStringLiteral("放样表"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    if (!SheetPrinter(sheet, QDate::currentDate().toString(Qt::ISODate)).print(writer))
      return QStringLiteral("无法生成 PDF：%1").arg(path);
  }
  if (!file.commit()) return QStringLiteral("无法写入 %1：%2").arg(path, file.errorString());
  return QString();
}
