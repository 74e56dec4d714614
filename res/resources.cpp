#include "res/resources.h"

#include <QBitmap>
#include <QImage>
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
#include "res/linux/app_16.xpm"
#include "res/linux/app_24.xpm"

// The hand's fingertip: the point of the cursor that clicks.
constexpr int kHandHotX = 5;
constexpr int kHandHotY = 0;

// A monochrome cursor from a black, white and transparent picture: the
// bitmap holds the black pixels, the mask every pixel that shows.
QCursor monochromeCursor(const char* const* xpm, int hotX, int hotY) {
  const QImage picture = QPixmap(xpm).toImage();
  // A colour mask marks the matching pixels with colour 0; a cursor bitmap
  // wants its black pixels as colour 1.
  const QBitmap black =
      QBitmap::fromImage(picture.createMaskFromColor(QColor(Qt::black).rgba(), Qt::MaskOutColor));
  const QBitmap shown = QBitmap::fromImage(picture.createAlphaMask());
  return QCursor(black, shown, hotX, hotY);
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
  if (id == IDCUR_HAND) return monochromeCursor(hand_xpm, kHandHotX, kHandHotY);
  return std::nullopt;
}

QString LoadStringResource(int id) {
  switch (id) {
    case IDS_ABOUT_MENU:
      return QStringLiteral("关于 Corvane(&A)...");
    default:
      return QString();
  }
}

}  // namespace res
