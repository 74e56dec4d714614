#include "ui/sheet/setout_command.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"
#include "ui/sheet/sheet_pdf.h"
#include "ui/sheet/sheet_reading.h"

namespace {

void say(const QString& message) {
  std::fprintf(stderr, "corvane: %s\n", message.toLocal8Bit().constData());
}

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
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int RunSetout(const QStringList& arguments, SetoutCall call) {
  SheetRequest request;
  QString pdf;
  const QString problem = ParseSetoutArguments(arguments.mid(1), request, pdf);
  if (!problem.isEmpty()) {
    say(problem);
    return 2;
  }
  if (call == SetoutCall::kWindow) {
    auto* window = new CSetoutWindow;
    window->show();
    if (!request.path.isEmpty()) window->load(request);
    return QApplication::exec();
  }
  if (request.path.isEmpty()) {
    say(QStringLiteral("--pdf needs a design file after --setout"));
    return 2;
  }
  const std::atomic<bool> stop(false);
  const SheetResult result = ComputeSheet(request, stop, nullptr);
  const QString trouble = !result.failure.isEmpty() ? result.failure
                          : !result.sheet           ? result.problem
                                                    : WriteSheetPdf(*result.sheet, pdf);
  if (!trouble.isEmpty()) {
    say(trouble);
    return 2;
  }
  return result.sheet->rows.failedCount() > 0 ? 1 : 0;
}
