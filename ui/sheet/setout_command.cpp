#include "ui/sheet/setout_command.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "reader/text/line_converter.h"
#include "reader/sheet/sheet_error_text.h"
#include "cli/option_table/sheet_options.h"
#include "ui/common/file_path.h"
#include "ui/sheet/open_sheet.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_job.h"
#include "ui/sheet/sheet_pdf.h"

namespace {

void say(const std::string& message) { std::fprintf(stderr, "corvane: %s\n", message.c_str()); }

}  // namespace

SetoutCall SetoutCallOf(int argc, char** argv) {
  SetoutCall call = SetoutCall::kNone;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--setout") == 0 && call == SetoutCall::kNone)
      call = SetoutCall::kWindow;
    if (std::strcmp(argv[i], "--pdf") == 0) return SetoutCall::kPdf;
  }
  return call;
}

void ChooseHeadlessPlatform() {
#ifndef _WIN32
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

QString ParseSetoutArguments(const QStringList& arguments, reading::SheetRequest& request,
                             QString& pdf) {
  std::vector<std::string> args;
  for (const QString& argument : arguments) args.push_back(argument.toStdString());
  return ParseSetoutBytes(args, request, pdf);
}

QString ParseSetoutBytes(const std::vector<std::string>& args, reading::SheetRequest& request,
                         QString& pdf) {
  reading::SheetOptions options;
  std::vector<std::string> rest;
  std::string problem = reading::TakeSheetOptions(args, options, rest);
  if (!problem.empty()) return QString::fromStdString(problem);
  std::string design;
  for (std::size_t at = 0; at < rest.size(); ++at) {
    const std::string& arg = rest[at];
    if (arg == "--setout") continue;
    if (reading::OptionName(arg) == "--pdf") {
      std::string value;
      if (!reading::OptionValue(rest, at, "--pdf", true, value, problem))
        return QString::fromStdString(problem);
      pdf = PathFromBytes(value);
    } else if (arg.rfind("-", 0) == 0 || !design.empty()) {
      return QStringLiteral("unknown argument %1")
          .arg(QString::fromStdString(reading::FileNameText(arg)));
    } else {
      design = arg;
    }
  }
  problem = reading::RequestOf(options, reading::Mode::kSetout, reading::DesignNames(), request,
                               !pdf.isEmpty());
  if (!problem.empty()) return QString::fromStdString(problem);
  if (!design.empty()) request.design = reading::DesignFile{design};
  return QString();
}

int RunSetout(const std::vector<std::string>& arguments, SetoutCall call) {
  reading::SheetRequest request;
  QString pdf;
  const std::vector<std::string> given(arguments.begin() + (arguments.empty() ? 0 : 1),
                                       arguments.end());
  const QString problem = ParseSetoutBytes(given, request, pdf);
  if (!problem.isEmpty()) {
    say(problem.toStdString());
    return 2;
  }
  if (call == SetoutCall::kWindow) {
    // A file named opens with the options given; none, the file shown last.
    if (std::holds_alternative<reading::DesignFile>(request.design)) {
      auto* window = new CSetoutWindow;
      window->show();
      window->load(request);
    } else {
      OpenSetoutWindow();
    }
    return QApplication::exec();
  }
  if (!std::holds_alternative<reading::DesignFile>(request.design)) {
    say("--pdf needs a design file after --setout");
    return 2;
  }
  const std::atomic<bool> stop(false);
  const SheetResult result = ComputeSheet(SheetJob{request, QString(), nullptr}, stop, nullptr);
  if (result.failure) {
    say(reading::FileErrorText(result.failure));
    return 2;
  }
  if (!result.sheet) {
    say(reading::SheetErrorText(result.problem));
    return 2;
  }
  const QString reason =
      WriteSheetPdf(*result.sheet, pdf, QDate::currentDate().toString(Qt::ISODate));
  if (!reason.isEmpty()) {
    say("cannot write " + pdf.toStdString() + ": " + reason.toStdString());
    return 2;
  }
  return result.sheet->rows.failedCount() > 0 ? 1 : 0;
}
