#include "ui/transform/transform_command.h"

#include <QApplication>
#include <QTabWidget>
#include <cstdio>
#include <cstring>

#include "ui/transform/open_transform.h"
#include "ui/transform/transform_window.h"

namespace {

void say(const QString& message) {
  std::fprintf(stderr, "corvane: %s\n", message.toLocal8Bit().constData());
}

}  // namespace

bool TransformCallOf(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) return false;
    if (std::strcmp(argv[i], "--transform") == 0) return true;
  }
  return false;
}

int TransformTabOf(const QString& mode) {
  static const char* const kModes[] = {"grid", "fourparam", "project", "rezone"};
  for (int tab = 0; tab < 4; ++tab)
    if (mode == QLatin1String(kModes[tab])) return tab;
  return -1;
}

int RunTransform(const QStringList& arguments) {
  int tab = 0;
  QStringList files;
  for (const QString& argument : arguments.mid(1)) {
    if (argument == QLatin1String("--transform")) continue;
    const int named = TransformTabOf(argument);
    if (named >= 0 && files.isEmpty() && tab == 0) {
      tab = named;
    } else if (argument.startsWith(QLatin1Char('-')) || files.size() == (tab == 1 ? 2 : 1)) {
      say(QStringLiteral("unknown argument %1 (corvane --transform "
                         "[grid|fourparam|project|rezone] [FILE [FILE]])")
              .arg(argument));
      return 2;
    } else {
      files << argument;
    }
  }
  CTransformWindow* window = OpenTransformWindow();
  window->tabs().setCurrentIndex(tab);
  for (qsizetype at = 0; at < files.size(); ++at) {
    QString why;
    if (!window->loadPoints(files[at], tab == 1 && at == 0, why)) {
      say(why);
      return 2;
    }
  }
  window->recompute();
  return QApplication::exec();
}
