#include "ui/control/control_command.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

#include "ui/control/open_control.h"

namespace {

void say(const QString& message) {
  std::fprintf(stderr, "corvane: %s\n", message.toLocal8Bit().constData());
}

}  // namespace

ControlCall ControlCallOf(int argc, char** argv) {
  ControlCall call = ControlCall::kNone;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--") == 0) break;
    for (const char* other : {"--setout", "--alignment", "--elements"})
      if (std::strncmp(arg, other, std::strlen(other)) == 0) return ControlCall::kNone;
    if (std::strcmp(arg, "--traverse") == 0) call = ControlCall::kTraverse;
    if (std::strcmp(arg, "--level") == 0) call = ControlCall::kLevel;
  }
  return call;
}

int RunControl(const QStringList& arguments, ControlCall call) {
  QString file;
  for (const QString& argument : arguments.mid(1)) {
    if (argument == QStringLiteral("--traverse") || argument == QStringLiteral("--level")) continue;
    if (argument.startsWith(QStringLiteral("--")) || !file.isEmpty()) {
      say(QStringLiteral("unknown argument %1 (corvane --traverse [FILE] | --level [FILE])").arg(argument));
      return 2;
    }
    file = argument;
  }
  CControlWindow* window = OpenControlWindow(
      nullptr, call == ControlCall::kLevel ? CControlWindow::Tab::kLevel : CControlWindow::Tab::kTraverse);
  if (!file.isEmpty() && !window->openObservations(file)) return 2;
  return QApplication::exec();
}
