#include "res/resources.h"

#include <QPixmap>

#include "res/resource.h"

namespace {
#include "res/icons/app.xpm"
}  // namespace

namespace res {

QIcon LoadIconResource(int id) {
  switch (id) {
    case IDI_APP:
      return QIcon(QPixmap(app_xpm));
    default:
      return QIcon();
  }
}

std::optional<QCursor> LoadCursorResource(int /*id*/) { return std::nullopt; }

QString LoadStringResource(int /*id*/) { return QString(); }

}  // namespace res
