// corvane --setout FILE ... --pdf OUT, run as a user runs it without any
// display: the PDF holds every point name and the numbers corvane-calc
// writes for the same options, its faces embedded (poppler's pdftotext and
// pdffonts read it back).

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "tests/ui/setout_files.h"

namespace {

struct Finished {
  int status;
  QString out;
};

Finished run(const QString& program, const QStringList& arguments, bool withoutDisplay = false) {
  QProcess process;
  if (withoutDisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
      environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
  }
  process.start(program, arguments);
  process.waitForFinished(60000);
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

QString collapsed(QString text) {
  return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

TEST(SetoutPdf, WrittenWithoutADisplayHoldsTheToolsNumbersAndEveryNameInEmbeddedFaces) {
  SetoutFiles files;
  const QString pdf = files.folder.filePath(QStringLiteral("sheet.pdf"));
  const QStringList options = {
      "--columns", "name,code,y,x,h",   "--control", files.control, "--station-point",
      "A1",        "--backsight-point", "A2"};
  const Finished program =
      run(QStringLiteral(CORVANE_PROGRAM),
          QStringList{"--setout", files.design} + options + QStringList{"--pdf", pdf}, true);
  EXPECT_EQ(program.status, 1);  // two rows failed, as corvane-calc says
  const Finished text = run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
  ASSERT_EQ(text.status, 0) << "pdftotext (poppler-utils) could not read the PDF";
  const QString page = collapsed(text.out);
  for (const char* name : {"K1", "K2", "\"K3, gate\"", "K4", "S7", "K5", "桩6", "A1", "A2"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(name))) << name;
  const Finished tool =
      run(QStringLiteral(CORVANE_CALC), QStringList{"setout", "-i", files.design} + options);
  int answers = 0;
  for (const QString& line : tool.out.split('\n', Qt::SkipEmptyParts)) {
    const QStringList fields = line.split(',');
    if (line.startsWith('#') || fields.size() < 6 || line.startsWith("Name")) continue;
    // AZIMUTH ANGLE DISTANCE H, the last four fields, side by side on the page
    const QString numbers = collapsed(fields.mid(fields.size() - 4).join(' ')).trimmed();
    EXPECT_TRUE(page.contains(numbers)) << numbers.toStdString();
    ++answers;
  }
  EXPECT_EQ(answers, 5);
  EXPECT_TRUE(page.contains("ERROR: S7: point is on the station"));
  EXPECT_TRUE(page.contains("检核：后视方位角 7.354072 距离 151.327460"));

  const Finished fonts = run(QStringLiteral("pdffonts"), {pdf});
  ASSERT_EQ(fonts.status, 0);
  const QStringList rows = fonts.out.split('\n', Qt::SkipEmptyParts).mid(2);  // past the heading
  ASSERT_FALSE(rows.isEmpty());
  for (const QString& row : rows) {
    const QStringList columns = row.split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(columns.size(), 5);
    EXPECT_EQ(columns[columns.size() - 5], "yes") << "not embedded: " << row.toStdString();
  }
}

TEST(SetoutPdf, BadOptionsAndUnknownNamesAreUsageErrorsAndWriteNothing) {
  SetoutFiles files;
  const QString pdf = files.folder.filePath(QStringLiteral("sheet.pdf"));
  const QStringList bad[] = {
      {"--setout", files.design, "--station", "1,2", "--station-point", "A1", "--backsight-azimuth",
       "0", "--pdf", pdf},
      {"--setout", files.design, "--control", files.control, "--station-point", "A9",
       "--backsight-point", "A2", "--pdf", pdf},
      {"--setout", "--station", "1,2", "--backsight-azimuth", "0", "--pdf", pdf}};
  for (const QStringList& arguments : bad) {
    EXPECT_EQ(run(QStringLiteral(CORVANE_PROGRAM), arguments, true).status, 2)
        << arguments.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
  }
}

}  // namespace
