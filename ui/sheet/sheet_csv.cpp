#include "ui/sheet/sheet_csv.h"

#include <QSaveFile>
#include <string>
#include <vector>

#include "reader/rows/row_reader.h"
#include "ui/sheet/sheet_row_error.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"

namespace {

// The columns of a row of `layout`: the tool's answer columns, then those
// of the sheet's own that the tool does not write (the design coordinates).
std::vector<SheetColumn> csvColumns(const reading::RowReader& reader, SheetRows::Layout layout,
                                    const std::vector<SheetColumn>& shown) {
  std::vector<SheetColumn> columns;
  for (const reading::AnswerColumn& column : reader.AnswerColumns(layout.named))
    columns.push_back(ColumnOf(FieldOf(column)));
  for (const SheetColumn& column : shown)
    if (column.shows != SheetColumn::Shows::kField) columns.push_back(column);
  return columns;
}

// The heading row: the columns' titles joined by the row's separator.
void appendHeading(const std::vector<SheetColumn>& columns, char separator, std::string& out) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) out += separator;
    out += columns[i].title;
  }
  out += '\n';
}

// `text` as a CSV field: in quotes, its quotes doubled, where it holds the
// separator, a quote or a line end.
void appendQuoted(const std::string& text, char separator, std::string& out) {
  if (text.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// The sheet's heading line, as the printed sheet heads it: "# 测站 A1  X
// ...  Y ...    后视 A2 ...    检核：后视方位角 ...    测站高程 ...".
std::string headingComment(const SetoutSheet& sheet) {
  QString text = QStringLiteral("# ") + SetupLineText(sheet) + QStringLiteral("    ") +
                 CheckLineText(sheet);
  const QString heights = HeightsLineText(sheet);
  if (!heights.isEmpty()) text += QStringLiteral("    ") + heights;
  text.replace(QLatin1Char('\n'), QStringLiteral("    "));
  return text.toStdString() + '\n';
}

// A row's answer line as the tool writes it, its columns' texts joined by
// its separator, or its "ERROR: " line.
void appendRow(const SetoutSheet& sheet, const std::vector<SheetColumn>& columns, std::size_t row,
               std::string& out) {
  const SheetRows& rows = sheet.rows;
  const char separator = rows.layout(row).separator;
  if (rows.failed(row)) {
    // Its name and code, then what is wrong, in the words of the table.
    for (const SheetColumn& column : columns) {
      if (column.shows != SheetColumn::Shows::kField ||
          (column.field != SheetRows::kName && column.field != SheetRows::kCode))
        break;
      AppendCellText(sheet, row, column, out);
      out += separator;
    }
    appendQuoted(RowErrorText(rows, row).toStdString(), separator, out);
    return;
  }
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) out += separator;
    AppendCellText(sheet, row, columns[i], out);
  }
}

}  // namespace

QString WriteSheetCsv(const SetoutSheet& sheet, const QString& path, const std::atomic<bool>* stop,
                      bool designShown) {
  constexpr std::size_t kWriteEvery = 1 << 20;  // bytes: the text is written as it grows
  const reading::RowReader reader(sheet.settings);
  const SheetRows& rows = sheet.rows;
  const std::vector<SheetColumn> shown = SheetColumns(&sheet, designShown);
  // A row's columns, by whether it is named.
  const std::vector<SheetColumn> columns[2] = {csvColumns(reader, {',', false}, shown),
                                               csvColumns(reader, {',', true}, shown)};
  const auto& heading = rows.heading();
  QSaveFile file(path);
  bool written = file.open(QIODevice::WriteOnly);
  std::string out = "\xEF\xBB\xBF";  // the byte-order mark spreadsheets look for
  const auto flush = [&] {
    written = written && file.write(out.data(), static_cast<qint64>(out.size())) ==
                             static_cast<qint64>(out.size());
    out.clear();
  };
  // The lines before row `row`, and the heading among them where it goes.
  const auto linesBefore = [&](std::size_t row) {
    const std::string_view lines = rows.linesBefore(row);
    if (!heading || heading->beforeRow != row) {
      out += lines;
      return;
    }
    // The tool's comment line gives way to the sheet's own, in Chinese.
    out += lines.substr(0, heading->at - heading->comment);
    if (heading->comment > 0) out += headingComment(sheet);
    appendHeading(columns[heading->layout.named], heading->layout.separator, out);
    out += lines.substr(heading->at);
  };
  for (std::size_t row = 0; row < rows.size() && written; ++row) {
    linesBefore(row);
    appendRow(sheet, columns[rows.layout(row).named], row, out);
    out += '\n';
    if (out.size() < kWriteEvery) continue;
    flush();
    if (stop && *stop) {
      file.cancelWriting();
      return QString();
    }
  }
  linesBefore(rows.size());
  flush();
  if (!written || !file.commit()) {
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("?") : reason;
  }
  return QString();
}
