#include "ui/sheet/file_layout.h"

#include <QVariantMap>
#include <string>

namespace {

const QString kColumnsKey = QStringLiteral("columns");
const QString kEncodingKey = QStringLiteral("encoding");
const QString kSkipLinesKey = QStringLiteral("skipLines");

}  // namespace

QVariant LayoutValue(const FileLayout& layout) {
  const std::string_view encoding =
      layout.input.encoding ? reading::EncodingName(*layout.input.encoding) : std::string_view();
  return QVariantMap{
      {kColumnsKey, layout.columns},
      {kEncodingKey, QString::fromUtf8(encoding.data(), static_cast<qsizetype>(encoding.size()))},
      {kSkipLinesKey, static_cast<qulonglong>(layout.input.skipLines)}};
}

FileLayout NextFileLayout(FileLayout layout) {
  layout.input.encoding.reset();
  return layout;
}

FileLayout LayoutOf(const QVariant& value, const FileLayout& fallback) {
  FileLayout layout = fallback;
  if (value.typeId() != QMetaType::QVariantMap) return layout;
  const QVariantMap map = value.toMap();
  if (const QVariant columns = map.value(kColumnsKey); columns.canConvert<QString>())
    layout.columns = columns.toString();
  if (const QVariant encoding = map.value(kEncodingKey); encoding.isValid()) {
    const std::string name = encoding.toString().toStdString();
    if (name.empty()) layout.input.encoding.reset();
    for (const reading::TextEncoding known : reading::kTextEncodings)
      if (name == reading::EncodingName(known)) layout.input.encoding = known;
  }
  bool read = false;
  const qulonglong skip = map.value(kSkipLinesKey).toULongLong(&read);
  if (read) layout.input.skipLines = static_cast<std::size_t>(skip);
  return layout;
}
