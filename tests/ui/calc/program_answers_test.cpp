// corvane --help, -h and --version answer on standard output, in Chinese
// and English, on a machine without any display: no platform is looked for.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace {

struct Answer {
  int status = -1;
  QString out;
  QString err;
};

// The program run with `arguments` where neither X11, Wayland nor a Qt
// platform is named.
Answer RunWithoutDisplay(const QStringList& arguments) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(QString::fromLatin1(name));
  QProcess program;
  program.setProcessEnvironment(environment);
  program.start(QStringLiteral(CORVANE_PROGRAM), arguments);
  Answer answer;
  if (!program.waitForFinished(60000)) return answer;
  if (program.exitStatus() == QProcess::NormalExit) answer.status = program.exitCode();
  answer.out = QString::fromUtf8(program.readAllStandardOutput());
  answer.err = QString::fromUtf8(program.readAllStandardError());
  return answer;
}

TEST(ProgramAnswers, HelpIsWrittenInChineseAndEnglishWithoutADisplay) {
  for (const char* help : {"--help", "-h"}) {
    const Answer answer = RunWithoutDisplay({QString::fromLatin1(help)});
    EXPECT_EQ(answer.status, 0) << help << ": " << answer.err.toStdString();
    EXPECT_TRUE(answer.out.startsWith(QStringLiteral("用法 Usage: corvane"))) << help;
    for (const char* line : {"corvane --setout [FILE] [OPTIONS] [--pdf OUT.pdf]",
                             "  -h, --help     显示本帮助 show this help",
                             "  --version      显示版本 show the version", "打开放样表",
                             "opens the setting-out sheet"})
      EXPECT_TRUE(answer.out.contains(QString::fromUtf8(line))) << help << ": " << line;
    EXPECT_EQ(answer.err, "") << help;
  }
  // With other options too: the help is all a command line asks for then.
  EXPECT_EQ(RunWithoutDisplay({"--setout", "design.dat", "--help"}).status, 0);
}

TEST(ProgramAnswers, TheVersionIsOneLineWithoutADisplay) {
  const Answer answer = RunWithoutDisplay({"--version"});
  EXPECT_EQ(answer.status, 0) << answer.err.toStdString();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^corvane \\d+(\\.\\d+)+\\n$"))
                  .match(answer.out)
                  .hasMatch())
      << answer.out.toStdString();
  EXPECT_EQ(answer.err, "");
}

}  // namespace
