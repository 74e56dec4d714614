#include "ui/sheet/preview_rows.h"

#include <array>
#include <string>

#include "reader/columns.h"
#include "reader/field_splitter.h"
#include "reader/row_reader.h"
#include "reader/text_file.h"
#include "ui/sheet/sheet_messages.h"

namespace {

constexpr std::uint64_t kPreviewBytes = 1 << 16;  // enough for the rows shown

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PreviewRows ReadPreviewRows(const QString& path, int count) {
  PreviewRows preview;
  reading::TextFile file(path.toStdString(), true);
  std::string_view line;
  while (preview.rows.size() < count && file.bytesRead() <= kPreviewBytes && file.NextLine(line)) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (reading::IsBlankOrComment(line)) continue;
    std::array<std::string_view, reading::kMaxColumns> fields;
    std::string unquoted;
    const reading::SplitLine split = reading::SplitFields(line, fields, unquoted);
    QStringList row;
    for (std::size_t i = 0; i < std::min(split.count, fields.size()); ++i)
      row << fromUtf8(fields[i]);
    preview.rows << row;
  }
  if (file.error()) {
    preview.rows.clear();
    preview.problem = FileProblem(file.error());
    preview.refused = true;
  } else if (preview.rows.isEmpty()) {
    preview.problem = QStringLiteral("文件中没有数据行。");
  }
  return preview;
}
