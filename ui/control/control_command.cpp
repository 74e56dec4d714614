#include "ui/control/control_command.h"

#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/option_table/control_options.h"
#include "reader/control/level_heights.h"
#include "reader/fields/packed_digits.h"
#include "reader/rows/known_points.h"
#include "ui/control/control_form.h"
#include "ui/control/control_printer.h"
#include "ui/control/level_page.h"
#include "ui/control/observation_file.h"
#include "ui/control/open_control.h"
#include "ui/control/traverse_page.h"

namespace {

void say(const std::string& message) { std::fprintf(stderr, "corvane: %s\n", message.c_str()); }

struct ControlArguments {
  reading::Mode mode = reading::Mode::kTraverse;
  reading::ControlOptions control;
  reading::SheetOptions sheet;
  reading::ControlJob job;
  std::string rows;  // the observations' file; "" for none
  std::string pdf;
};

// Reads the arguments (without the program's name); "" or what is wrong.
std::string ParseControlArguments(const std::vector<std::string>& args, ControlArguments& out) {
  for (const std::string& arg : args)
    if (arg == "--level") out.mode = reading::Mode::kLevel;
  std::string problem;
  for (std::size_t at = 0; at < args.size() && problem.empty(); ++at) {
    const std::string& arg = args[at];
    if (arg == "--traverse" || arg == "--level") continue;
    if (reading::OptionName(arg) == "--pdf") {
      reading::OptionValue(args, at, "--pdf", true, out.pdf, problem);
    } else if (arg.size() > 1 && arg[0] == '-') {
      if (!reading::TakeControlOption(args, at, out.mode, out.control, problem) &&
          !reading::TakeSheetOption(args, at, out.sheet, problem) && problem.empty())
        problem = "unknown option " + arg;
    } else if (out.rows.empty()) {
      out.rows = arg;
    } else {
      problem = "give one file of rows, not " + arg + " too";
    }
  }
  if (!problem.empty()) return problem;
  if (out.control.start.empty()) return {};  // an empty window: nothing to check
  return reading::ControlJobOf(out.control, out.sheet, out.mode, out.job);
}

// A number as a user would type it: no more decimals than it has.
QString typedNumber(double value) {
  std::string text;
  reading::AppendFixed(text, value, 6);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return QString::fromStdString(text);
}

QString typedAngle(const std::optional<double>& packed) {
  return packed ? typedNumber(*packed) : QString();
}

// A known point's fields from the control file; "" or why not.
std::string knownOf(const reading::KnownPoints& known, const std::string& name, KnownTyped& typed) {
  if (name.empty()) return {};
  reading::Point point{};
  if (known.Find(name, point).what != reading::KnownPoints::Found::What::kFound)
    return "no point " + name + " (once) in " + known.source();
  typed = {QString::fromStdString(name), typedNumber(point.x), typedNumber(point.y)};
  return {};
}

std::string TraverseOf(const ControlArguments& args, TraverseTyped& typed) {
  const reading::TraverseRequest& asked = args.job.traverse;
  typed.kind = reading::KindOf(asked);
  typed.side = asked.side;
  typed.rigorous = args.control.rigorous;
  typed.grade = args.control.angleLimit ? QString()
                : args.control.grade.empty() ? QStringLiteral("图根")
                                             : QString::fromStdString(args.control.grade);
  typed.angleLimit = args.control.angleLimit ? typedNumber(*args.control.angleLimit) : QString();
  typed.relativeLimit =
      args.control.relativeLimit ? typedNumber(*args.control.relativeLimit) : QString();
  reading::KnownPoints known;
  if (const reading::FileError error = known.ReadFile(args.job.control, args.job.columns, args.job.input))
    return reading::FileErrorText(error);
  for (const auto& [name, point] :
       {std::pair{asked.start, &typed.start}, std::pair{asked.backsight, &typed.backsight},
        std::pair{asked.end, &typed.end}, std::pair{asked.foresight, &typed.foresight}})
    if (const std::string problem = knownOf(known, name, *point); !problem.empty()) return problem;
  typed.azimuthIn = typedAngle(asked.startAzimuth);
  typed.azimuthOut = typedAngle(asked.endAzimuth);
  return {};
}

std::string LevelOf(const ControlArguments& args, LevelTyped& typed) {
  const reading::LevelRequest& asked = args.job.level;
  typed.kind = reading::KindOf(asked);
  typed.count = asked.count;
  typed.grade = args.control.limit ? QString()
                : args.control.grade.empty() ? QStringLiteral("等外")
                                             : QString::fromStdString(args.control.grade);
  typed.limit = args.control.limit ? typedNumber(*args.control.limit) : QString();
  reading::LevelHeights known;
  if (const reading::FileError error = known.ReadFile(args.job.control, args.job.input))
    return reading::FileErrorText(error);
  double height = 0;
  if (known.Find(asked.start, height).what != reading::KnownPoints::Found::What::kFound)
    return "--start: no benchmark " + asked.start + " (once) in " + known.source();
  typed.startName = QString::fromStdString(asked.start);
  typed.startHeight = typedNumber(height);
  if (!asked.end.empty()) {
    if (known.Find(asked.end, height).what != reading::KnownPoints::Found::What::kFound)
      return "--end: no benchmark " + asked.end + " (once) in " + known.source();
    typed.endName = QString::fromStdString(asked.end);
    typed.endHeight = typedNumber(height);
  }
  if (!asked.turn.empty()) typed.endName = QString::fromStdString(asked.turn);
  return {};
}

// The form as a PDF, without a window: 0, 1 over a limit, 2 no line.
int WritePdf(const ControlArguments& args, TraverseTyped traverse, LevelTyped level) {
  const QString title =
      args.rows.empty() ? QString() : QFileInfo(QString::fromStdString(args.rows)).completeBaseName();
  const QString date = QDate::currentDate().toString(Qt::ISODate);
  QString problem;
  QString reason;
  bool over = false;
  if (args.mode == reading::Mode::kTraverse) {
    const auto shown = ComputeTraverseSheet(traverse, problem);
    if (shown) reason = WriteControlPdf(TraverseForm(*shown, title), QString::fromStdString(args.pdf), date);
    over = shown && shown->result.over();
  } else {
    const auto shown = ComputeLevelSheet(level, problem);
    if (shown) reason = WriteControlPdf(LevelForm(*shown, title), QString::fromStdString(args.pdf), date);
    over = shown && shown->result.over;
  }
  if (!problem.isEmpty()) {
    say("no line: " + problem.toStdString());
    return 2;
  }
  if (!reason.isEmpty()) {
    say("cannot write " + args.pdf + ": " + reason.toStdString());
    return 2;
  }
  return over ? 1 : 0;
}

}  // namespace

ControlCall ControlCallOf(int argc, char** argv) {
  bool control = false;
  bool pdf = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--") == 0) break;
    control = control || std::strcmp(arg, "--traverse") == 0 || std::strcmp(arg, "--level") == 0;
    pdf = pdf || std::strcmp(arg, "--pdf") == 0 || std::strncmp(arg, "--pdf=", 6) == 0;
  }
  if (!control) return ControlCall::kNone;
  return pdf ? ControlCall::kPdf : ControlCall::kWindow;
}

int RunControl(const QStringList& arguments, ControlCall call) {
  std::vector<std::string> args;
  for (const QString& argument : arguments.mid(1)) args.push_back(argument.toStdString());
  ControlArguments parsed;
  std::string problem = ParseControlArguments(args, parsed);
  TraverseTyped traverse;
  LevelTyped level;
  if (problem.empty() && !parsed.control.start.empty())
    problem = parsed.mode == reading::Mode::kTraverse ? TraverseOf(parsed, traverse)
                                                      : LevelOf(parsed, level);
  std::vector<QStringList> rows;
  QString unread;
  if (problem.empty() && !parsed.rows.empty() &&
      !ReadObservationFile(QString::fromStdString(parsed.rows), rows, unread))
    problem = "cannot read " + parsed.rows;
  if (problem.empty() && call == ControlCall::kPdf && parsed.control.start.empty())
    problem = "--pdf needs the line's known points: --control FILE --start NAME ...";
  if (!problem.empty()) {
    say(problem);
    return 2;
  }
  traverse.rows = level.rows = rows;
  if (call == ControlCall::kPdf) return WritePdf(parsed, traverse, level);
  const bool isLevel = parsed.mode == reading::Mode::kLevel;
  CControlWindow* window =
      OpenControlWindow(nullptr, isLevel ? CControlWindow::Tab::kLevel : CControlWindow::Tab::kTraverse);
  if (!parsed.control.start.empty() || !rows.empty()) {
    if (isLevel)
      window->level().setTyped(level);
    else
      window->traverse().setTyped(traverse);
  }
  return QApplication::exec();
}
