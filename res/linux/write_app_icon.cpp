// Writes the application icon at the pixel sizes that the desktop's icon
// theme looks up, at build time:
//   write_app_icon ICON.svg OUT_DIR SIZE...
// writes OUT_DIR/SIZExSIZE.png for each SIZE. The small sizes are drawn pixel
// by pixel (16, 24, and 32, which is the window's own icon), since a
// rendering of the scalable icon blurs there; every other size is rendered
// from ICON.svg.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "res/icons/app.xpm"
#include "res/linux/app_16.xpm"
#include "res/linux/app_24.xpm"

namespace {

QImage drawnIcon(int size) {
  switch (size) {
    case 16:
      return QImage(app_16_xpm);
    case 24:
      return QImage(app_24_xpm);
    case 32:
      return QImage(app_xpm);
    default:
      return QImage();
  }
}

QImage renderedIcon(QSvgRenderer& svg, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  svg.render(&painter);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: write_app_icon ICON.svg OUT_DIR SIZE...\n");
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "write_app_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString outDir = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLocal8Bit(argv[i]).toInt();
    QImage icon = drawnIcon(size);
    if (icon.isNull() && size > 0) icon = renderedIcon(svg, size);
    const QString path = QStringLiteral("%1/%2x%2.png").arg(outDir).arg(size);
    if (icon.size() != QSize(size, size) || !icon.save(path, "PNG")) {
      std::fprintf(stderr, "write_app_icon: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
