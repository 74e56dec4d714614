#include "res/resources.h"

#include <QGuiApplication>
#include <QPixmap>

#include "res/resource.h"

namespace {
#include "res/icons/about.xpm"
#include "res/icons/about64.xpm"
#include "res/icons/app.xpm"
#include "res/icons/app64.xpm"
#include "res/icons/compute.xpm"
#include "res/icons/compute64.xpm"
#include "res/icons/exit.xpm"
#include "res/icons/exit64.xpm"
#include "res/icons/hand.xpm"
#include "res/icons/hand64.xpm"
#include "res/linux/app_16.xpm"
#include "res/linux/app_24.xpm"

// The hand's fingertip: the point of the cursor that clicks.
constexpr QPoint kHandHotSpot(5, 0);

// A cursor from a picture with transparency, which every platform plugin
// draws (Qt's Wayland plugin draws none made of a bitmap and a mask: the
// pointer vanishes). On screens scaled by two the 64-pixel picture stands in,
// so the cursor is drawn for that size rather than magnified. The hot spot is
// given in the 32-pixel picture's pixels.
QCursor pictureCursor(const char* const* picture32, const char* const* picture64, QPoint hotSpot) {
  if (qGuiApp->devicePixelRatio() < 2) return QCursor(QPixmap(picture32), hotSpot.x(), hotSpot.y());
  QPixmap large(picture64);
  // X11 draws a cursor pixel for pixel, and Qt's X11 plugin takes the hot
  // spot in the picture's own pixels; the other plugins scale the picture by
  // its device pixel ratio and take the hot spot in the screen's units.
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    hotSpot *= 2;
  else
    large.setDevicePixelRatio(2);
  return QCursor(large, hotSpot.x(), hotSpot.y());
}

// An icon drawn at 32 pixels and drawn again at 64 for screens scaled by
// two. The 32-pixel picture comes first: it is the size the icon is placed by.
QIcon twoSizes(const char* const* picture32, const char* const* picture64) {
  QIcon icon{QPixmap(picture32)};
  icon.addPixmap(QPixmap(picture64));
  return icon;
}

// The application icon also shows small, in title bars and task bars: at 16
// and 24 pixels it has pictures drawn for those sizes, not the 32-pixel one
// shrunk and blurred.
QIcon applicationIcon() {
  QIcon icon = twoSizes(app_xpm, app64_xpm);
  icon.addPixmap(QPixmap(app_16_xpm));
  icon.addPixmap(QPixmap(app_24_xpm));
  return icon;
}

}  // namespace

namespace res {

QIcon LoadIconResource(int id) {
  switch (id) {
    case IDI_APP:
      return applicationIcon();
    case IDI_COMPUTE:
      return twoSizes(compute_xpm, compute64_xpm);
    case IDI_EXIT:
      return twoSizes(exit_xpm, exit64_xpm);
    case IDI_ABOUT:
      return twoSizes(about_xpm, about64_xpm);
    default:
      return QIcon();
  }
}

std::optional<QCursor> LoadCursorResource(int id) {
  if (id == IDCUR_HAND) return pictureCursor(hand_xpm, hand64_xpm, kHandHotSpot);
  return std::nullopt;
}

QString LoadStringResource(int id) {
  switch (id) {
    case IDS_ABOUT_MENU:
      return QStringLiteral("关于 Corvane(&A)...");
    case IDS_SETOUT_MENU:
      return QStringLiteral("放样表(&S)...");
    case IDS_ROAD_MENU:
      return QStringLiteral("线路(&R)...");
    case IDS_TRANSFORM_MENU:
      return QStringLiteral("坐标转换(&T)...");
    case IDS_CONTROL_MENU:
      return QStringLiteral("导线/水准(&L)...");
    default:
      return QString();
  }
}

}  // namespace res
