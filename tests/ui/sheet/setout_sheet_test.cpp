// The setting-out window's sheet against corvane-calc setout run on the same
// files with the same settings: the table's rows and the CSV export are the
// tool's answers, character for character.

#include "ui/sheet/setout_sheet.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <atomic>

#include "tests/ui/sheet/setout_files.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_reading.h"

namespace {

struct ToolRun {
  QByteArray out;
  QByteArray err;
};

ToolRun runTool(const QStringList& arguments) {
  QProcess tool;
  tool.start(QStringLiteral(CORVANE_CALC), arguments);
  tool.waitForFinished(30000);
  return {tool.readAllStandardOutput(), tool.readAllStandardError()};
}

std::shared_ptr<const SetoutSheet> computed(const SheetRequest& request) {
  const std::atomic<bool> stop(false);
  const SheetResult result = ComputeSheet(request, stop, nullptr);
  EXPECT_TRUE(result.failure.isEmpty()) << result.failure.toStdString();
  EXPECT_TRUE(result.problem.isEmpty()) << result.problem.toStdString();
  return result.sheet;
}

// Each row as the tool writes it: its cells joined by the file's comma, a
// failed row as its message.
QStringList tableLines(const std::shared_ptr<const SetoutSheet>& sheet) {
  CSheetModel model;
  model.setSheet(sheet);
  QStringList lines;
  for (int row = 0; row < model.rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < CSheetModel::kColumnCount; ++column)
      cells << model.index(row, column).data().toString();
    lines << (model.failed(row) ? cells[CSheetModel::kAzimuth] : cells.join(QLatin1Char(',')));
  }
  return lines;
}

struct Station {
  const char* what;
  PointChoice station;
  PointChoice backsight;
  QStringList options;  // corvane-calc's for the same
};

TEST(SetoutSheet, TableRowsAreTheToolsAnswersForEveryWayOfGivingStationAndBacksight) {
  SetoutFiles files;
  const Station stations[] = {
      {"by name",
       {PointChoice::Kind::kName, "A1", {}, {}, {}},
       {PointChoice::Kind::kName, "A2", {}, {}, {}},
       {"--control", files.control, "--station-point", "A1", "--backsight-point", "A2"}},
      {"typed",
       {PointChoice::Kind::kCoordinates, {}, "3350000", "500000", {}},
       {PointChoice::Kind::kCoordinates, {}, "3350150.000", "500020", {}},
       {"--station", "3350000,500000", "--backsight", "3350150.000,500020"}},
      {"azimuth",
       {PointChoice::Kind::kCoordinates, {}, "3350000", "500000", {}},
       {PointChoice::Kind::kAzimuth, {}, {}, {}, "7.3541"},
       {"--station", "3350000,500000", "--backsight-azimuth", "7.3541"}},
  };
  for (const Station& given : stations) {
    SheetRequest request = files.request();
    request.station = given.station;
    request.backsight = given.backsight;
    const auto sheet = computed(request);
    ASSERT_TRUE(sheet) << given.what;
    const ToolRun tool = runTool(QStringList{"setout", "--columns", "name,code,y,x,h", "--decimals",
                                             "3", "--azimuth-decimals", "4", "-i", files.design} +
                                 given.options);
    QStringList expected = QString::fromUtf8(tool.out).split('\n', Qt::SkipEmptyParts);
    // The comment and the header are copied through; the table leaves them out.
    ASSERT_GE(expected.size(), 2) << given.what;
    EXPECT_EQ(expected.takeFirst(), "# design points, exported 2026-12-01");
    EXPECT_EQ(expected.takeFirst(), "Name,Code,East,North,Height");
    EXPECT_EQ(tableLines(sheet), expected) << given.what;
    const QString check = sheet->checkDistance.isEmpty()
                              ? QStringLiteral("azimuth %1").arg(sheet->checkAzimuth)
                              : QStringLiteral("azimuth %1 distance %2")
                                    .arg(sheet->checkAzimuth, sheet->checkDistance);
    EXPECT_TRUE(QString::fromUtf8(tool.err).startsWith(
        QStringLiteral("corvane-calc: station to backsight: %1\n").arg(check)))
        << given.what << ": " << tool.err.toStdString();
  }
}

// corvane --setout FILE without --columns: rows read as corvane-calc reads
// them without a list, NAME X Y, east-first rows refused in place.
TEST(SetoutSheet, NoColumnListReadsRowsAsTheToolDoesWithoutOne) {
  SetoutFiles files;
  SetoutFiles::write(files.design, "P1 3350100 500000\nP2 500000 3350100\n");
  const SheetRequest request = files.requestWithoutColumns();
  const auto sheet = computed(request);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(tableLines(sheet),
            QStringList({"P1,,0.0000,0.0000,100.000,",
                         "ERROR: P2: read as north, east the point is 4030579.364 from the "
                         "station, read as east, north 100.000: for a file that gives east first "
                         "say --columns name,y,x, for north first --columns name,x,y"}));
  // The sketch fits the points it has: not one thousands of km off.
  EXPECT_TRUE(sheet->rows.hasPoint(0));
  EXPECT_FALSE(sheet->rows.hasPoint(1));
}

// The numbers of the README's sheet, and the rows' places in the file.
TEST(SetoutSheet, RowsKeepTheFileOrderAndTheirLineNumbers) {
  SetoutFiles files;
  const auto sheet = computed(files.request());
  ASSERT_TRUE(sheet);
  const QStringList lines = tableLines(sheet);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], "K1,,6.3030,358.5449,108.912,21.300");
  EXPECT_EQ(lines[4], "ERROR: S7: point is on the station");
  EXPECT_EQ(lines[6], "桩6,路缘,135.0000,127.2419,14.142,20.000");
  EXPECT_EQ(sheet->rows.line(0), 3u);
  EXPECT_EQ(sheet->rows.line(6), 9u);
  EXPECT_EQ(sheet->rows.failedCount(), 2u);
  EXPECT_EQ(sheet->station.name, "A1");
  ASSERT_TRUE(sheet->backsightPoint);
  EXPECT_EQ(sheet->backsightPoint->x, 3350150.0);
}

TEST(SetoutSheet, CsvExportIsTheToolsHeaderSheetAfterAByteOrderMark) {
  SetoutFiles files;
  const auto sheet = computed(files.request());
  ASSERT_TRUE(sheet);
  const QString path = files.folder.filePath(QStringLiteral("sheet.csv"));
  ASSERT_EQ(WriteSheetCsv(*sheet, path), QString());
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const ToolRun tool =
      runTool({"setout", "--columns", "name,code,y,x,h", "--control", files.control,
               "--station-point", "A1", "--backsight-point", "A2", "--decimals", "3",
               "--azimuth-decimals", "4", "--header", "-i", files.design});
  EXPECT_EQ(written.readAll(), "\xEF\xBB\xBF" + tool.out);
}

TEST(SetoutSheet, CsvExportThatCannotBeWrittenSaysSoAndLeavesNoFile) {
  SetoutFiles files;
  const auto sheet = computed(files.request());
  ASSERT_TRUE(sheet);
  const QString path = files.folder.filePath(QStringLiteral("no such folder/sheet.csv"));
  EXPECT_TRUE(WriteSheetCsv(*sheet, path).startsWith(QStringLiteral("无法写入")));
  EXPECT_FALSE(QFile::exists(path));
}

// The file is read as the tool reads it, or refused with a message in
// Chinese: not there, another kind of file, an encoding no reader takes.
TEST(SetoutSheet, FilesThatAreNoCoordinateFilesAreRefusedWithAMessage) {
  SetoutFiles files;
  const QString binary = files.folder.filePath(QStringLiteral("photo.dat"));
  QFile photo(binary);
  ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
  photo.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  photo.close();
  const QString utf32 = files.folder.filePath(QStringLiteral("utf32.txt"));
  SetoutFiles::write(utf32, "\xFF\xFE");
  QFile wide(utf32);
  ASSERT_TRUE(wide.open(QIODevice::Append));
  wide.write(QByteArray("\0\0K\0\0\0", 6));
  wide.close();
  const struct {
    QString path;
    const char* start;
  } refused[] = {{files.folder.filePath(QStringLiteral("missing.dat")), "无法打开"},
                 {binary, "photo.dat"},
                 {utf32, "无法读取"}};
  for (const auto& file : refused) {
    SheetRequest request = files.request();
    request.path = file.path;
    const std::atomic<bool> stop(false);
    const SheetResult result = ComputeSheet(request, stop, nullptr);
    EXPECT_EQ(result.sheet, nullptr) << file.path.toStdString();
    EXPECT_TRUE(result.failure.contains(QString::fromUtf8(file.start)))
        << result.failure.toStdString();
  }
}

// corvane --setout's command line, read by the tool's option code, as the
// window shows it in its fields.
TEST(SetoutArguments, TheToolsOptionsBecomeTheWindowsChoices) {
  using Kind = PointChoice::Kind;
  const struct {
    QStringList arguments;
    Kind station;
    QString stationText;  // the name, or X,Y as the fields show them
    Kind backsight;
    QString backsightText;
    int angleDecimals;
    QString pdf;
  } cases[] = {
      {{"--setout", "d.dat", "--control", "c.dat", "--station-point", "A1", "--backsight-point",
        "A2", "--pdf", "s.pdf"},
       Kind::kName,
       "A1",
       Kind::kName,
       "A2",
       6,
       "s.pdf"},
      {{"--setout", "d.dat", "--station=3350000,500000.25", "--backsight", "-10,1e3",
        "--azimuth-decimals", "4"},
       Kind::kCoordinates,
       "3350000,500000.25",
       Kind::kCoordinates,
       "-10,1000",
       4,
       ""},
      {{"--station", "0,0", "--backsight-azimuth", "7.3541", "--setout", "d.dat", "--pdf=x.pdf"},
       Kind::kCoordinates,
       "0,0",
       Kind::kAzimuth,
       "7.3541",
       6,
       "x.pdf"},
  };
  auto shown = [](const PointChoice& choice) {
    return choice.kind == Kind::kName          ? choice.name
           : choice.kind == Kind::kCoordinates ? choice.x + ',' + choice.y
                                               : choice.azimuth;
  };
  for (const auto& given : cases) {
    SheetRequest request;
    QString pdf;
    ASSERT_EQ(ParseSetoutArguments(given.arguments, request, pdf), QString());
    EXPECT_EQ(request.path, "d.dat");
    EXPECT_EQ(request.station.kind, given.station);
    EXPECT_EQ(shown(request.station), given.stationText);
    EXPECT_EQ(request.backsight.kind, given.backsight);
    EXPECT_EQ(shown(request.backsight), given.backsightText);
    EXPECT_EQ(request.angleDecimals, given.angleDecimals);
    EXPECT_EQ(pdf, given.pdf);
  }
}

TEST(SetoutArguments, BadOnesAreRefusedInOneLine) {
  const struct {
    QStringList arguments;
    const char* message;
  } cases[] = {
      {{"--setout", "d.dat", "--decimals", "21"}, "--decimals"},
      {{"--setout", "d.dat", "e.dat"}, "unknown argument e.dat"},
      {{"--setout", "d.dat", "--colour"}, "unknown argument --colour"},
      {{"--setout", "d.dat", "--pdf"}, "--pdf"},
  };
  for (const auto& given : cases) {
    SheetRequest request;
    QString pdf;
    const QString problem = ParseSetoutArguments(given.arguments, request, pdf);
    EXPECT_TRUE(problem.contains(given.message)) << problem.toStdString();
    EXPECT_FALSE(problem.contains('\n'));
  }
}

}  // namespace
