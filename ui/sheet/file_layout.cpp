#include "ui/sheet/file_layout.h"

#include <QVariantMap>

namespace {

const QString kColumnsKey = QStringLiteral("columns");

}  // namespace

QVariant LayoutValue(const FileLayout& layout) {
  return QVariantMap{{kColumnsKey, layout.columns}};
}

FileLayout LayoutOf(const QVariant& value, const FileLayout& fallback) {
  FileLayout layout = fallback;
  if (value.typeId() != QMetaType::QVariantMap) return layout;
  const QVariantMap map = value.toMap();
  if (const QVariant columns = map.value(kColumnsKey); columns.canConvert<QString>())
    layout.columns = columns.toString();
  return layout;
}
