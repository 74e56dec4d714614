#include "ui/sheet/setout_conf.h"

#include <QSettings>

namespace setout_conf {

void Remember(const QString& key, const QVariant& value) {
  QSettings settings(kOrganisation, kApplication);
  settings.setValue(key, value);
  settings.sync();
}

QVariant Recalled(const QString& key, const QVariant& fallback) {
  return QSettings(kOrganisation, kApplication).value(key, fallback);
}

}  // namespace setout_conf
