#include "ui/sheet/preview_rows.h"

#include <QFile>
#include <array>

#include "reader/fields/field_splitter.h"
#include "reader/rows/columns.h"
#include "reader/rows/row_reader.h"
#include "reader/text/text_file.h"
#include "reader/text/undecoded_line.h"
#include "ui/common/file_path.h"
#include "ui/common/problem_text.h"
#include "ui/sheet/sheet_messages.h"

namespace {

// Enough for the rows shown, past the lines read before the first is handed
// out: those that tell the file's encoding (text_lines.h).
constexpr std::uint64_t kPreviewBytes = (1 << 16) + reading::kEncodingSample;

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PreviewRows ReadPreviewRows(const std::string& path, int count,
                            const reading::InputReading& input) {
  PreviewRows preview;
  reading::TextFile file(path, true, input.encoding);
  std::string_view line;
  std::size_t lines = 0;
  // Whole lines come, however many bytes are read: none is cut at the limit.
  while (preview.rows.size() < count && file.bytesRead() <= kPreviewBytes && file.NextLine(line)) {
    if (file.startsInput()) lines = 0;
    if (++lines <= input.skipLines) continue;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (reading::IsBlankOrComment(line)) continue;
    if (reading::UndecodedLine undecoded; reading::FindUndecoded(line, undecoded)) {
      preview.rows << QStringList(UndecodedProblem(undecoded));
      continue;
    }
    std::array<std::string_view, reading::kMaxColumns> fields;
    std::string unquoted;
    const reading::SplitLine split = reading::SplitFields(line, fields, unquoted);
    QStringList row;
    for (std::size_t i = 0; i < std::min(split.count, fields.size()); ++i)
      row << fromUtf8(fields[i]);
    preview.rows << row;
  }
  if (const auto encoding = file.encoding())
    preview.encoding = fromUtf8(reading::EncodingName(*encoding));
  if (file.error()) {
    preview.rows.clear();
    preview.problem = FileProblem(file.error());
    preview.refused = true;
  } else if (preview.rows.isEmpty()) {
    preview.problem = QStringLiteral("文件中没有数据行。");
  }
  return preview;
}

PreviewRows ReadPreviewRows(const QString& path, int count) {
  return ReadPreviewRows(PathBytes(path), count);
}
