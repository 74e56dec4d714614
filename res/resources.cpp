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

}  // namespace

namespace res {

QIcon LoadIconResource(int id) {
  switch (id) {
    case IDI_APP:
      return twoSizes(app_xpm, app64_xpm);
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
    case IDS_SETOUT_MENU:
      return QStringLiteral("放样表(&S)...");
    default:
      return QString();
  }
}

}  // namespace res
