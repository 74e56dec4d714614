// The road's files as the program writes them: the PDF of `corvane
// --alignment ... --pdf OUT`, written without a display (poppler's
// pdftotext and pdffonts read it back), and the stakes' CSV, which is
// corvane-calc's list to the character and which the 放样表 reads as it is.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "reader/road/road_rows.h"
#include "tests/ui/common/program_run.h"
#include "tests/ui/road/road_files.h"
#include "ui/road/road_csv.h"
#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/setout_window.h"

namespace {

TEST(RoadPdf, WrittenWithoutADisplayHoldsTheCurveTableAndTheStakes) {
  RoadFiles files;
  const QString pdf = files.folder.filePath(QStringLiteral("road.pdf"));
  const Finished written =
      run(QStringLiteral(CORVANE_PROGRAM),
          {QStringLiteral("--alignment"), files.jd, QStringLiteral("--profile"), files.profile,
           QStringLiteral("--every"), QStringLiteral("20"), QStringLiteral("--offsets=-10,10"),
           QStringLiteral("--pdf"), pdf},
          true);
  ASSERT_EQ(written.status, 0);
  const QString text = PdfText(pdf, true);
  for (const char* line :
       {"交点表 jd.csv：4 个交点，K0+000.000 至 K1+050.220，全长 1050.220 m；纵断面 profile.csv",
        "JD1 608.220 314.430 左 78°20′44″ 110.000 55.000 55.000 118.001 118.001 205.412 33.365 "
        "30.590 K0+224.341 K0+106.340 K0+161.340 K0+209.047 K0+256.753 K0+311.753",
        "PSta 437.580 168.790 K0+000.000", "PEnd 852.110 723.550 K1+050.220", "QZ K0+209.047 608.982 281.073 1.1828",
        "K0+209.047 QZ L10 209.047 -10.000 609.210 271.076 1.1828 104.181",
        "K1+050.220 EP R10 1050.220 10.000 842.110 723.622 89.3515 102.834"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
  // The page heading in the words of every window's: its name, the file,
  // 日期 and the page.
  EXPECT_TRUE(text.contains(QStringLiteral("线路 jd.csv")));
  EXPECT_TRUE(text.contains(
      QRegularExpression(QStringLiteral("日期 \\d{4}-\\d{2}-\\d{2} 第 1 页，共 \\d+ 页"))));
  ExpectEmbeddedFaces(pdf);

  const Finished bad = run(QStringLiteral(CORVANE_PROGRAM),
                           {QStringLiteral("--alignment"), files.jd, QStringLiteral("--every=0"),
                            QStringLiteral("--pdf"), pdf},
                           true);
  EXPECT_EQ(bad.status, 2);
}

TEST(RoadCsv, TheStakesAreTheToolsListAndReadBackIntoASetoutSheet) {
  RoadFiles files;
  auto design = std::make_shared<reading::RoadDesign>();
  ASSERT_FALSE(reading::ReadRoad(files.request(), *design));
  RoadShown road;
  road.decimals = {3, 4};
  road.rows = reading::MakeRoadRows(design, 3);
  road.design = design;
  reading::StakeRange range;
  range.offsets = {-10, 10};
  std::vector<reading::Stake> stakes;
  reading::StakeWalk walk(*road.rows, range, 3);
  for (reading::Stake stake; walk.Next(stake);) stakes.push_back(stake);
  const QString csv = files.folder.filePath(QStringLiteral("stakes.csv"));
  ASSERT_EQ(WriteStakeCsv(road, stakes, csv), QString());
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray written = file.readAll();
  const Finished tool = run(
      QStringLiteral(CORVANE_CALC),
      {QStringLiteral("stake"), QStringLiteral("--alignment"), files.jd,
       QStringLiteral("--profile"), files.profile, QStringLiteral("--every"), QStringLiteral("20"),
       QStringLiteral("--offsets=-10,10"), QStringLiteral("--header"), QStringLiteral("--decimals"),
       QStringLiteral("3"), QStringLiteral("--azimuth-decimals"), QStringLiteral("4")});
  EXPECT_EQ(written, "\xEF\xBB\xBF" + tool.out.toUtf8());

  reading::SheetRequest request;
  request.design = reading::DesignFile{csv.toStdString()};
  reading::ReadColumns("name,-,-,x,y,-,h", reading::RowNumbers(reading::Mode::kSetout, true), true,
                       request.columns);
  request.known = reading::DesignNames();
  request.setup =
      reading::StationAndBacksight{reading::PointName{"K0+000 BP"}, reading::PointName{"K0+100"}};
  request.decimals = 3;
  CSetoutWindow sheet;
  sheet.load(request);
  ASSERT_TRUE(QTest::qWaitFor([&] { return sheet.sheet() != nullptr; }));
  ASSERT_EQ(sheet.sheet()->rows.size(), stakes.size());
  EXPECT_EQ(sheet.sheet()->rows.field(40, SheetRows::kName), "K0+209.047 QZ L10");
  EXPECT_EQ(sheet.sheet()->rows.field(40, SheetRows::kHeight), "104.181");
  EXPECT_EQ(sheet.sheet()->rows.failedCount(), 1u);  // the station's own stake
}

}  // namespace
