#include "ui/sheet/sheet_csv.h"

#include <QSaveFile>
#include <string>

#include "reader/row_reader.h"
#include "ui/sheet/setout_sheet.h"

namespace {

// A row's answer line as the tool writes it: its columns' texts joined by
// its separator, or its "ERROR: " line.
void appendRow(const reading::RowReader& reader, const SheetRows& rows, std::size_t row,
               std::string& out) {
  if (rows.failed(row)) {
    out += rows.field(row, SheetRows::kError);
    return;
  }
  const SheetRows::Layout layout = rows.layout(row);
  bool first = true;
  for (const reading::AnswerColumn& column : reader.AnswerColumns(layout.named)) {
    if (!first) out += layout.separator;
    first = false;
    switch (column.role) {
      case reading::AnswerColumn::Role::kName:
        out += rows.field(row, SheetRows::kName);
        break;
      case reading::AnswerColumn::Role::kCode:
        out += rows.field(row, SheetRows::kCode);
        break;
      case reading::AnswerColumn::Role::kHeight:
        out += rows.field(row, SheetRows::kHeight);
        break;
      case reading::AnswerColumn::Role::kResult:
        out += rows.field(row, SheetRows::Field(SheetRows::kAzimuth + column.result));
        break;
    }
  }
}

}  // namespace

QString WriteSheetCsv(const SetoutSheet& sheet, const QString& path,
                      const std::atomic<bool>* stop) {
  constexpr std::size_t kWriteEvery = 1 << 20;  // bytes: the text is written as it grows
  const reading::RowReader reader(sheet.settings);
  const SheetRows& rows = sheet.rows;
  QSaveFile file(path);
  bool written = file.open(QIODevice::WriteOnly);
  std::string out = "\xEF\xBB\xBF";  // the byte-order mark spreadsheets look for
  const auto flush = [&] {
    written = written && file.write(out.data(), static_cast<qint64>(out.size())) ==
                             static_cast<qint64>(out.size());
    out.clear();
  };
  for (std::size_t row = 0; row < rows.size() && written; ++row) {
    out += rows.linesBefore(row);
    appendRow(reader, rows, row, out);
    out += '\n';
    if (out.size() < kWriteEvery) continue;
    flush();
    if (stop && *stop) {
      file.cancelWriting();
      return QString();
    }
  }
  out += rows.linesBefore(rows.size());
  flush();
  if (!written || !file.commit()) {
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("?") : reason;
  }
  return QString();
}
