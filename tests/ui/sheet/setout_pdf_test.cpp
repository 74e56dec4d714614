// corvane --setout FILE ... --pdf OUT, run as a user runs it without any
// display: the PDF holds every point name and the numbers corvane-calc
// writes for the same options, its faces embedded (poppler's pdftotext and
// pdffonts read it back).

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

#include "tests/ui/common/program_run.h"
#include "tests/ui/sheet/setout_files.h"

namespace {

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
  for (const char* name : {"K1", "K2", "K3, gate", "K4", "S7", "K5", "桩6", "A1", "A2"})
    EXPECT_TRUE(page.contains(QString::fromUtf8(name))) << name;
  // A name is printed as read; only an answer line quotes it.
  EXPECT_FALSE(page.contains(QStringLiteral("\"K3, gate\""))) << page.toStdString();
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
  EXPECT_TRUE(page.contains(QStringLiteral("第 7 行：测站与该点重合")));
  EXPECT_TRUE(page.contains("检核：后视方位角 7.354072 距离 151.327460"));

  ExpectEmbeddedFaces(pdf);
}

// A 2 GB sparse file (all NUL bytes) is refused at its first bytes: at once,
// and in little memory. Under a ceiling of 512 MB of address space, reading
// it whole ended in std::bad_alloc (exit status 134). The sanitizers reserve
// far more address space than that, so there the ceiling is left off.
TEST(SetoutPdf, AFileThatIsNoTextIsRefusedAtOnceInLittleMemory) {
  SetoutFiles files;
  const QString path = files.folder.filePath(QStringLiteral("sparse.csv"));
  QFile sparse(path);
  ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(2) << 30));
  sparse.close();
#if defined(__SANITIZE_ADDRESS__)
  const QString ceiling;
#else
  const QString ceiling = QStringLiteral("ulimit -v 524288; ");
#endif
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(environment);
  QElapsedTimer clock;
  clock.start();
  program.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), ceiling + QStringLiteral("exec \"$0\" \"$@\""),
                 QStringLiteral(CORVANE_PROGRAM), "--setout", path, "--station", "0,0",
                 "--backsight-azimuth", "0", "--pdf", files.folder.filePath("sheet.pdf")});
  ASSERT_TRUE(program.waitForFinished(60000));
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_EQ(program.exitCode(), 2);
  EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError())
                  .contains(path + ": not UTF-8 text (NUL bytes"));
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

namespace {

// A sheet long enough for several pages: every row on exactly one page, in
// file order, and every page with the heading and the table's header row.
TEST(SetoutPdf, LongSheetsRepeatTheHeadingAndHeaderOnEveryPageAndLoseNoRow) {
  SetoutFiles files;
  QFile design(files.design);
  ASSERT_TRUE(design.open(QIODevice::WriteOnly));
  for (int i = 1; i <= 150; ++i)
    design.write(QStringLiteral("P%1,,%2,%3,20.000\n")
                     .arg(i)
                     .arg(500010.0 + i % 17, 0, 'f', 3)
                     .arg(3350020.0 + i, 0, 'f', 3)
                     .toUtf8());
  design.close();
  const QString pdf = files.folder.filePath(QStringLiteral("long.pdf"));
  ASSERT_EQ(run(QStringLiteral(CORVANE_PROGRAM),
                {"--setout", files.design, "--columns", "name,code,y,x,h", "--station",
                 "3350000,500000", "--backsight-azimuth", "0", "--pdf", pdf},
                true)
                .status,
            0);
  const QStringList pages =
      run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}).out.split('\f', Qt::SkipEmptyParts);
  ASSERT_GE(pages.size(), 3);
  int next = 1;
  for (int page = 0; page < pages.size(); ++page) {
    const QString text = collapsed(pages[page]);
    EXPECT_TRUE(text.contains("放样表 design.csv")) << page;
    EXPECT_TRUE(
        text.contains(QStringLiteral("第 %1 页，共 %2 页").arg(page + 1).arg(pages.size())));
    EXPECT_TRUE(text.contains("行 点名 编码 方位角 水平角 距离 设计高程")) << page;
    // The table's rows start with the line number and the name.
    for (QRegularExpressionMatchIterator rows =
             QRegularExpression(QStringLiteral(" (\\d+) P(\\d+) ")).globalMatch(text);
         rows.hasNext();) {
      const QRegularExpressionMatch row = rows.next();
      EXPECT_EQ(row.captured(1).toInt(), next);
      EXPECT_EQ(row.captured(2).toInt(), next);
      ++next;
    }
  }
  EXPECT_EQ(next, 151);
}

}  // namespace
