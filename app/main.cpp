// corvane: the calculator window. The process lives as long as the dialog.
// With --setout it opens the setting-out window instead, or writes its PDF;
// with --alignment or --elements the road window, or the road's PDF; with
// --transform the coordinate transformation window; with --traverse or
// --level the 导线/水准 window.
// --help and --version are answered before any of them, without a display.

#include <string>
#include <vector>

#include "app/program_answers.h"
#include "ui/calc/calc_app.h"
#include "ui/control/control_command.h"
#include "ui/road/road_command.h"
#include "ui/sheet/setout_command.h"
#include "ui/transform/transform_command.h"

namespace {

// The arguments as the reader takes file names. On Linux argv as given, Qt's
// own options taken out: the bytes of a file's name, which
// QCoreApplication::arguments() would read as UTF-8 and lose. On Windows
// they are UTF-16 (Qt reads them so), and the reader takes UTF-8; argv
// there is the ANSI code page's, which has no 设计 under a Western one.
std::vector<std::string> ArgumentBytes(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  std::vector<std::string> arguments;
  for (const QString& argument : QCoreApplication::arguments())
    arguments.push_back(argument.toStdString());
  return arguments;
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (int status = 0; AnswerWithoutWindow(argc, argv, status)) return status;
  const RoadCall road = RoadCallOf(argc, argv);
  const SetoutCall setout = road == RoadCall::kNone ? SetoutCallOf(argc, argv) : SetoutCall::kNone;
  const bool transform =
      road == RoadCall::kNone && setout == SetoutCall::kNone && TransformCallOf(argc, argv);
  const ControlCall control = ControlCallOf(argc, argv);
  if (setout == SetoutCall::kPdf || road == RoadCall::kPdf || control == ControlCall::kPdf)
    ChooseHeadlessPlatform();
  CCalcApp app(argc, argv);
  if (transform) return app.ExitInstance(RunTransform(QCoreApplication::arguments()));
  if (control != ControlCall::kNone) {
    return app.ExitInstance(RunControl(QCoreApplication::arguments(), control));
  }
  if (road != RoadCall::kNone) {
    return app.ExitInstance(RunRoad(QCoreApplication::arguments(), road));
  }
  if (setout != SetoutCall::kNone)
    return app.ExitInstance(RunSetout(ArgumentBytes(argc, argv), setout));
  app.InitInstance();
  return app.ExitInstance();
}
