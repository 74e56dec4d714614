// The setting-out window's sheet against corvane-calc setout run on the same
// files with the same settings: the table's rows and the CSV export are the
// tool's answers, character for character.

#include "ui/common/problem_text.h"
#include "ui/common/window_look.h"
#include "ui/sheet/setout_sheet.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetricsF>
#include <QProcess>
#include <atomic>

#include "tests/ui/sheet/setout_files.h"
#include "ui/sheet/setout_command.h"
#include "ui/sheet/sheet_csv.h"
#include "ui/sheet/sheet_job.h"
#include "ui/sheet/sheet_look.h"
#include "ui/sheet/sheet_messages.h"
#include "ui/sheet/sheet_model.h"
#include "ui/sheet/sheet_output.h"
#include "ui/sheet/sheet_table.h"

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

SheetResult computeSheet(const reading::SheetRequest& request) {
  const std::atomic<bool> stop(false);
  return ComputeSheet(SheetJob{request, QStringLiteral("stakes"), nullptr}, stop, nullptr);
}

std::shared_ptr<const SetoutSheet> computed(const reading::SheetRequest& request) {
  const SheetResult result = computeSheet(request);
  EXPECT_FALSE(result.failure) << FileProblem(result.failure).toStdString();
  EXPECT_FALSE(result.problem) << SheetProblem(result.problem).toStdString();
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
    for (int column = 0; column < model.tickColumn(); ++column)
      cells << model.index(row, column).data().toString();
    // The table shows a name as read; the tool's line quotes one that holds
    // its separator (RFC 4180).
    if (cells[CSheetModel::kName].contains(QLatin1Char(',')))
      cells[CSheetModel::kName] = QLatin1Char('"') + cells[CSheetModel::kName] + QLatin1Char('"');
    // A failed row: the tool's error, which the table says in Chinese.
    lines << (model.failed(row) ? QString::fromUtf8(sheet->rows.field(
                                      model.sheetRow(row), SheetRows::kError))
                                : cells.join(QLatin1Char(',')));
  }
  return lines;
}

struct Station {
  const char* what;
  reading::StationAndBacksight setup;
  QStringList options;  // corvane-calc's for the same
  const char* check;    // the check line, as the tool and the window say it
  const char* shown;
};

TEST(SetoutSheet, TableRowsAreTheToolsAnswersForEveryWayOfGivingStationAndBacksight) {
  SetoutFiles files;
  const Station stations[] = {
      {"by name",
       {reading::PointName{"A1"}, reading::PointName{"A2"}},
       {"--control", files.control, "--station-point", "A1", "--backsight-point", "A2"},
       "azimuth 7.3541 distance 151.327",
       "检核：后视方位角 7.3541   距离 151.327"},
      {"typed",
       {reading::Point{3350000, 500000}, reading::Point{3350150, 500020}},
       {"--station", "3350000,500000", "--backsight", "3350150.000,500020"},
       "azimuth 7.3541 distance 151.327",
       "检核：后视方位角 7.3541   距离 151.327"},
      {"azimuth",
       {reading::Point{3350000, 500000}, reading::PackedAzimuth{7.3541}},
       {"--station", "3350000,500000", "--backsight-azimuth", "7.3541"},
       "azimuth 7.3541",
       "检核：后视方位角 7.3541"},
  };
  for (const Station& given : stations) {
    reading::SheetRequest request = files.request();
    request.setup = given.setup;
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
    CSheetModel model;
    model.setSheet(sheet);
    EXPECT_EQ(model.index(2, CSheetModel::kName).data().toString(), "K3, gate") << given.what;
    EXPECT_TRUE(QString::fromUtf8(tool.err).startsWith(
        QStringLiteral("corvane-calc: station to backsight: %1\n").arg(given.check)))
        << given.what << ": " << tool.err.toStdString();
    EXPECT_EQ(CheckLineText(*sheet), QString::fromUtf8(given.shown)) << given.what;
  }
}

// The sight's columns and D°M′S″ angles: the table's rows and the check
// line are the tool's for the same file and settings, to the character.
// K1 by hand: ΔH = 21.300 + 1.300 − 20.500 − 1.552 = 0.548, D = 108.912,
// z = 90° − atan(0.548 / 108.912) = 89°42′42.2″; 桩6: ΔH = −0.752,
// D = 14.142, z = 90° + atan(0.752 / 14.142) = 93°02′37.7″.
TEST(SetoutSheet, HeightsAndDmsAnglesAreTheToolsToTheCharacter) {
  SetoutFiles files;
  reading::SheetRequest request = files.request();
  request.angleFormat = reading::AngleFormat::kDms;
  request.heights = reading::SightHeights{20.5, 1.552, 1.3, false};
  const auto sheet = computed(request);
  ASSERT_TRUE(sheet);
  const QStringList expected = {
      "K1,,6°30′30″,358°54′49″,108.912,21.300,0.548,89°42′42″,108.913",
      "K2,kerb,53°53′38″,46°17′58″,108.797,21.150,0.398,89°47′25″,108.798",
      "\"K3, gate\",,90°00′00″,82°24′19″,100.000,20.980,0.228,89°52′10″,100.000",
      "K4,,211°49′39″,204°13′58″,93.863,,,,",
      "ERROR: S7: point is on the station",
      "ERROR: K5: Y is not a number: \"500030.5O\"",
      "桩6,路缘,135°00′00″,127°24′19″,14.142,20.000,-0.752,93°02′38″,14.162"};
  EXPECT_EQ(tableLines(sheet), expected);
  const ToolRun tool = runTool({"setout",
                                "--columns",
                                "name,code,y,x,h",
                                "--control",
                                files.control,
                                "--station-point",
                                "A1",
                                "--backsight-point",
                                "A2",
                                "--decimals",
                                "3",
                                "--azimuth-decimals",
                                "4",
                                "--angle-format",
                                "dms",
                                "--station-height",
                                "20.5",
                                "--instrument-height",
                                "1.552",
                                "--target-height",
                                "1.3",
                                "-i",
                                files.design});
  EXPECT_EQ(QString::fromUtf8(tool.out).split('\n', Qt::SkipEmptyParts).mid(2), expected);
  EXPECT_TRUE(QString::fromUtf8(tool.err).startsWith(
      "corvane-calc: station to backsight: azimuth 7°35′41″ distance 151.327\n"));
  EXPECT_EQ(CheckLineText(*sheet), "检核：后视方位角 7°35′41″   距离 151.327");
  EXPECT_EQ(HeightsLineText(*sheet), "测站高程 20.500  仪器高 1.552  目标高 1.300    两差改正：无");
}

// 设计X and 设计Y, where shown, follow the other columns in the table, in
// what Ctrl+C copies and in the CSV, with the decimals of lengths; a row
// without a point leaves them empty.
TEST(SetoutSheet, TheDesignCoordinatesShowWhereAskedFor) {
  SetoutFiles files;
  const auto sheet = computed(files.request());
  ASSERT_TRUE(sheet);
  CSheetModel model;
  model.setSheet(sheet);
  EXPECT_EQ(model.tickColumn(), 6);  // the sheet's columns, then the check boxes
  model.setDesignShown(true);
  ASSERT_EQ(model.tickColumn(), 8);
  EXPECT_EQ(model.headerData(6, Qt::Horizontal).toString(), "设计X");
  EXPECT_EQ(model.tabSeparated({0, 5}),
            "点名\t编码\t方位角\t水平角\t距离\t设计高程\t设计X\t设计Y\n"
            "K1\t\t6.3030\t358.5449\t108.912\t21.300\t3350108.210\t500012.345\n"
            "K5\t\t第 8 行：东坐标 Y 不是数字：“500030.5O”\t\t\t\t\t\n");
  const QString path = files.folder.filePath(QStringLiteral("sheet.csv"));
  ASSERT_EQ(WriteSheetCsv(*sheet, path, nullptr, true), QString());
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QString csv = QString::fromUtf8(written.readAll());
  EXPECT_TRUE(
      csv.contains("\n点名,编码,方位角,水平角,距离,设计高程,设计X,设计Y\n"
                   "K1,,6.3030,358.5449,108.912,21.300,3350108.210,500012.345\n"))
      << csv.toStdString();
  EXPECT_TRUE(csv.endsWith("\n桩6,路缘,135.0000,127.2419,14.142,20.000,3349990.000,500010.000\n"));
}

// A row read the other way round, east before north, is an error in its
// place, with a column list or without one (as corvane-calc reads a file
// without one: NAME X Y), not a point 4,030 km away; the sketch leaves it
// out and keeps its scale.
TEST(SetoutSheet, ARowTheOtherWayRoundIsAnErrorWithOrWithoutAColumnList) {
  const struct {
    const char* design;
    bool columns;  // name,code,y,x,h
    const char* message;
  } cases[] = {
      {"P1 3350100 500000\nP2 500000 3350100\n", false,
       "ERROR: P2: read as north, east the point is 4030579.364 from the station, read as east, "
       "north 100.000: for a file that gives east first say --columns name,y,x, for north first "
       "--columns name,x,y"},
      {"P1,,500000,3350100,\nP2,,3350100,500000,\n", true,
       "ERROR: P2: read by the column list the point is 4030579.364 from the station, with x and "
       "y the other way round 100.000: for a file that gives east first say --columns "
       "name,code,y,x,h, for north first --columns name,code,x,y,h"},
  };
  for (const auto& given : cases) {
    SetoutFiles files;
    SetoutFiles::write(files.design, given.design);
    reading::SheetRequest request = files.requestWithoutColumns();
    if (given.columns) request.columns = SetoutFiles::columns();
    const auto sheet = computed(request);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(tableLines(sheet), QStringList({"P1,,0.0000,0.0000,100.000,", given.message}));
    EXPECT_TRUE(sheet->rows.hasPoint(0));
    EXPECT_FALSE(sheet->rows.hasPoint(1));
  }
}

// A height read with a decimal comma is a number written with a point, its
// digits as read: in the table, in what Ctrl+C copies and in the CSV.
TEST(SetoutSheet, HeightsAreWrittenWithADecimalPoint) {
  SetoutFiles files;
  SetoutFiles::write(files.design, "K1;;500012,345;3350108,210;21,300\n");
  const auto sheet = computed(files.request());
  ASSERT_TRUE(sheet);
  CSheetModel model;
  model.setSheet(sheet);
  EXPECT_EQ(model.index(0, CSheetModel::kHeight).data().toString(), "21.300");
  EXPECT_EQ(model.tabSeparated({0}),
            "点名\t编码\t方位角\t水平角\t距离\t设计高程\n"
            "K1\t\t6.3030\t358.5449\t108.912\t21.300\n");
  const QString path = files.folder.filePath(QStringLiteral("sheet.csv"));
  ASSERT_EQ(WriteSheetCsv(*sheet, path), QString());
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.readAll().endsWith("\nK1;;6.3030;358.5449;108.912;21.300\n"));
}

// Design points a caller hands over (a road's stakes) give the rows a file
// of the same points would, their heights with the decimals of lengths, and
// are the names the station and the backsight are found by.
TEST(SetoutSheet, ACallersPointsAreASheetLikeAFilesAndTheNamesToPickFrom) {
  SetoutFiles files;
  reading::SheetRequest request = files.request();
  request.setup =
      reading::StationAndBacksight{reading::PointName{"BM1"}, reading::PointName{"BM2"}};
  request.known = reading::DesignNames();
  request.columns.clear();  // the window reads a caller's points by name,code,x,y,h
  using Role = reading::Column::Role;
  request.columns = {{Role::kName, 0},
                     {Role::kCode, 0},
                     {Role::kNumber, 0},
                     {Role::kNumber, 1},
                     {Role::kHeight, 0}};
  request.design = std::vector<reading::DesignPoint>{
      {"BM1", "", {3350000, 500000}, std::nullopt},
      {"BM2", "", {3350150, 500020}, 20.0},
      {"K0+020", "中线", {3350108.21, 500012.345}, 21.3004},
      {"ERROR: x", "", {3350001, 500001}, std::nullopt},
  };
  const auto sheet = computed(request);
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->source, "stakes");
  EXPECT_EQ(tableLines(sheet),
            QStringList({"ERROR: BM1: point is on the station", "BM2,,7.3541,0.0000,151.327,20.000",
                         "K0+020,中线,6.3030,358.5449,108.912,21.300",
                         "ERROR: point name starting \"ERROR:\" is reserved"}));
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

// The CSV is the tool's --header sheet, after a byte-order mark, its
// heading row the sheet's own Chinese titles in place of the tool's.
TEST(SetoutSheet, CsvExportIsTheToolsHeaderSheetWithTheSheetsHeadings) {
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
  QByteArray expected = "\xEF\xBB\xBF" + tool.out;
  const QByteArray english = "\nNAME,CODE,AZIMUTH,ANGLE,DISTANCE,H\n";
  ASSERT_TRUE(expected.contains(english));
  expected.replace(english, "\n点名,编码,方位角,水平角,距离,设计高程\n");
  // Its comment line and failed rows in the table's Chinese.
  const QByteArray comment =
      "# station A1 X 3350000.000 Y 500000.000 / backsight A2 X 3350150.000 Y 500020.000 / "
      "azimuth 7.3541 distance 151.327\n";
  ASSERT_TRUE(expected.contains(comment));
  expected.replace(comment, QStringLiteral("# 测站 A1  X 3350000.000  Y 500000.000    后视 A2  X "
                                           "3350150.000  Y 500020.000    检核：后视方位角 7.3541   "
                                           "距离 151.327\n")
                                .toUtf8());
  expected.replace("ERROR: S7: point is on the station",
                   QStringLiteral("S7,,第 7 行：测站与该点重合").toUtf8());
  expected.replace("ERROR: K5: Y is not a number: \"500030.5O\"",
                   QStringLiteral("K5,,第 8 行：东坐标 Y 不是数字：“500030.5O”").toUtf8());
  EXPECT_EQ(written.readAll(), expected);
}

// Points ticked off left out of an export (K1, the first row, and the
// failed S7): the comment and the --header lines stay where they were.
TEST(SetoutSheet, AnExportWithoutTheTickedPointsKeepsTheLinesBetweenRows) {
  SetoutFiles files;
  const auto sheet = computed(files.request());
  ASSERT_TRUE(sheet);
  const QString path = files.folder.filePath(QStringLiteral("sheet.csv"));
  const std::vector<bool> ticked = {true, false, false, false, true};
  ASSERT_EQ(WriteSheetCsv(SheetWithout(*sheet, ticked), path), QString());
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray text = written.readAll();
  EXPECT_TRUE(text.startsWith("\xEF\xBB\xBF"));
  EXPECT_EQ(QString::fromUtf8(text.mid(3)),
            "# design points, exported 2026-12-01\n"
            "# 测站 A1  X 3350000.000  Y 500000.000    后视 A2  X 3350150.000  Y 500020.000    "
            "检核：后视方位角 7.3541   距离 151.327\n"
            "点名,编码,方位角,水平角,距离,设计高程\n"
            "K2,kerb,53.5338,46.1758,108.797,21.150\n"
            "\"K3, gate\",,90.0000,82.2419,100.000,20.980\n"
            "K4,,211.4939,204.1358,93.863,\n"
            "K5,,第 8 行：东坐标 Y 不是数字：“500030.5O”\n"
            "桩6,路缘,135.0000,127.2419,14.142,20.000\n");
}

TEST(SetoutSheet, CsvExportThatCannotBeWrittenSaysSoAndLeavesNoFile) {
  SetoutFiles files;
  const auto sheet = computed(files.request());
  ASSERT_TRUE(sheet);
  const QString path = files.folder.filePath(QStringLiteral("no such folder/sheet.csv"));
  EXPECT_FALSE(WriteSheetCsv(*sheet, path).isEmpty());
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
    const char* message;
  } refused[] = {
      {files.folder.filePath(QStringLiteral("missing.dat")), "无法打开 missing.dat：文件不存在"},
      {binary, "photo.dat 不是文本文件，不能作为坐标文件读取。"},
      {utf32, "无法读取 utf32.txt：这是 UTF-32 文本，请另存为 UTF-8 或 UTF-16。"}};
  for (const auto& file : refused) {
    reading::SheetRequest request = files.request();
    request.design = reading::DesignFile{file.path.toStdString()};
    const SheetResult result = computeSheet(request);
    EXPECT_EQ(result.sheet, nullptr) << file.path.toStdString();
    EXPECT_EQ(FileProblem(result.failure), QString::fromUtf8(file.message));
  }
}

// corvane --setout's command line, read by the tool's option code into the
// request the window reads.
TEST(SetoutArguments, TheToolsOptionsBecomeTheRequest) {
  using reading::PackedAzimuth;
  using reading::Point;
  using reading::PointName;
  const struct {
    QStringList arguments;
    reading::StationAndBacksight setup;
    bool control;
    std::optional<int> azimuthDecimals;
    QString pdf;
  } cases[] = {
      {{"--setout", "d.dat", "--control", "c.dat", "--station-point", "A1", "--backsight-point",
        "A2", "--pdf", "s.pdf"},
       {PointName{"A1"}, PointName{"A2"}},
       true,
       std::nullopt,
       "s.pdf"},
      {{"--setout", "d.dat", "--station=3350000,500000.25", "--backsight", "-10,1e3",
        "--azimuth-decimals", "4"},
       {Point{3350000, 500000.25}, Point{-10, 1000}},
       false,
       4,
       ""},
      {{"--station", "0,0", "--backsight-azimuth", "7.3541", "--setout", "d.dat", "--pdf=x.pdf"},
       {Point{0, 0}, PackedAzimuth{7.3541}},
       false,
       std::nullopt,
       "x.pdf"},
  };
  for (const auto& given : cases) {
    reading::SheetRequest request;
    QString pdf;
    ASSERT_EQ(ParseSetoutArguments(given.arguments, request, pdf), QString());
    EXPECT_EQ(request.design, reading::DesignPoints(reading::DesignFile{"d.dat"}));
    ASSERT_TRUE(request.setup);
    EXPECT_TRUE(std::get<reading::StationAndBacksight>(*request.setup) == given.setup);
    EXPECT_EQ(std::holds_alternative<reading::ControlFile>(request.known), given.control);
    EXPECT_EQ(request.azimuthDecimals, given.azimuthDecimals);
    EXPECT_EQ(pdf, given.pdf);
  }
  // The window asks for what is missing; a PDF cannot.
  reading::SheetRequest request;
  QString pdf;
  EXPECT_EQ(ParseSetoutArguments({"--setout", "d.dat"}, request, pdf), QString());
  EXPECT_FALSE(request.setup);
  EXPECT_EQ(ParseSetoutArguments({"--setout", "d.dat", "--pdf", "x.pdf"}, request, pdf),
            "setout needs --station X,Y or --station-point NAME");
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
    reading::SheetRequest request;
    QString pdf;
    const QString problem = ParseSetoutArguments(given.arguments, request, pdf);
    EXPECT_TRUE(problem.contains(given.message)) << problem.toStdString();
    EXPECT_FALSE(problem.contains('\n'));
  }
}

}  // namespace

// D°M′S″ in the table and on the pages shows no gap after the minutes: ′
// and ″ are narrower than a digit, where the Song face alone sets them
// full-width (6°30′ 30″).
TEST(SetoutSheet, AnglesShowTheirPrimesNarrow) {
  const auto narrow = [](const QFont& font) {
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(QStringLiteral("′″")) <
           metrics.horizontalAdvance(QStringLiteral("00"));
  };
  ASSERT_FALSE(narrow(QFont(QStringLiteral("宋体"))));
  CSheetModel model;
  const CSheetTable table(model);
  EXPECT_TRUE(narrow(table.font()));
  EXPECT_TRUE(narrow(WithNarrowPrimes(QFont(QStringLiteral("宋体")))));
}
