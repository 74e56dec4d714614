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

FileLayout RecalledLayout(bool control) {
  FileLayout fallback;
  fallback.columns = control ? Recalled(kControlColumns, QString()).toString()
                             : Recalled(kColumns, QStringLiteral("name,code,y,x,h")).toString();
  return NextFileLayout(LayoutOf(Recalled(control ? kControlLayout : kLayout), fallback));
}

void RememberLayout(bool control, const FileLayout& layout) {
  Remember(control ? kControlLayout : kLayout, LayoutValue(NextFileLayout(layout)));
}

}  // namespace setout_conf
