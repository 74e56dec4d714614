// corvane --help, -h and --version answer on standard output, in Chinese
// and English, on a machine without any display: no platform is looked for.

#include <gtest/gtest.h>

#include <QProcess>

TEST(ProgramAnswers, HelpAndVersionAreWrittenWithoutADisplay) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(QString::fromLatin1(name));
  for (const char* asked : {"--help", "-h", "--version"}) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(CORVANE_PROGRAM), {QString::fromLatin1(asked)});
    ASSERT_TRUE(program.waitForFinished(60000)) << asked;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << asked;  // no abort
    EXPECT_EQ(program.exitCode(), 0) << asked;
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const bool help = asked[1] != '-' || asked[2] == 'h';
    EXPECT_TRUE(out.startsWith(help ? QStringLiteral("用法 Usage: corvane") : "corvane 1."))
        << asked;
    EXPECT_TRUE(!help || out.contains(QStringLiteral("显示本帮助 show this help"))) << asked;
    EXPECT_EQ(program.readAllStandardError(), "") << asked;
  }
}
