#include "ui/sheet/sheet_settings.h"

#include <QSettings>

namespace sheet_settings {

void Remember(const QString& key, const QVariant& value) {
  QSettings settings(QStringLiteral("Corvane"), QStringLiteral("setout"));
  settings.setValue(key, value);
  settings.sync();
}

QVariant Recalled(const QString& key, const QVariant& fallback) {
  return QSettings(QStringLiteral("Corvane"), QStringLiteral("setout")).value(key, fallback);
}

}  // namespace sheet_settings
