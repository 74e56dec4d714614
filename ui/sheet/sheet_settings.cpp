#include "ui/sheet/sheet_settings.h"

#include <QSettings>

namespace sheet_settings {

void Remember(const QString& key, const QVariant& value) {
  QSettings settings(kOrganisation, kApplication);
  settings.setValue(key, value);
  settings.sync();
}

QVariant Recalled(const QString& key, const QVariant& fallback) {
  return QSettings(kOrganisation, kApplication).value(key, fallback);
}

}  // namespace sheet_settings
