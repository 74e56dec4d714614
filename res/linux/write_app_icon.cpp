// Writes the application icon, drawn as XPM in res/icons/app.xpm, as the PNG
// that the desktop's icon theme expects. Run at build time:
//   write_app_icon OUT.png

#include <QImage>
#include <cstdio>

#include "res/icons/app.xpm"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_app_icon OUT.png\n");
    return 2;
  }
  const QImage icon(app_xpm);
  if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "write_app_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
