// Road designs read from their files: the shapes of file they come in, what
// the tool says of each design that cannot be built, and the stakes walked
// along one. The worked case is the textbook's JD table.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "reader/road/curve_table.h"
#include "reader/road/road_design.h"
#include "reader/road/road_error_text.h"
#include "reader/road/road_rows.h"
#include "reader/road/road_tables.h"
#include "reader/road/stake_list.h"

namespace {

namespace fs = std::filesystem;
using namespace reading;

class RoadFiles : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("corvane-road-test-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string File(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return (dir_ / name).string();
  }

  // The road of a JD table `text`, read with `columns` (none: plain rows).
  RoadError Read(const std::string& text, RoadDesign& design, const std::string& columns = "") {
    RoadRequest request;
    request.path = File("road.csv", text);
    if (!columns.empty()) ReadIntersectionColumns(columns, request.columns);
    return ReadRoad(request, design);
  }

  std::string Message(const RoadError& error) {
    const std::string text = RoadErrorText(error);
    const std::string folder = (dir_ / "").string();  // with its separator, "/" or "\\"
    return text.starts_with(folder) ? text.substr(folder.size()) : text;
  }

  fs::path dir_;
};

// Every layout of the same table gives the same first curve.
TEST_F(RoadFiles, AJdTableReadsAlikeInEveryLayout) {
  struct Case {
    std::string table;
    std::string columns;
  };
  const Case cases[] = {
      {"PSta 437.58 168.79\nJD1 608.22 314.43 110 55\nPEnd 801.97 163.79\n", ""},
      {"\xEF\xBB\xBF# road\nName;X;Y;R;Ls\n\"PSta\";437,58;168,79;;\r\n"
       "\"JD1\";608,22;314,43;110;55\r\n\"PEnd\";801,97;163,79;;\r\n",
       ""},
      {"PSta,437.58,168.79,,,\nJD1,608.22,314.43,110,55,55\nPEnd,801.97,163.79,,,\n", ""},
      {"-,168.79,437.58,PSta,,\n-,314.43,608.22,JD1,55,110\n-,163.79,801.97,PEnd,,\n",
       "-, y, x, name, ls1, r"},
  };
  for (const Case& c : cases) {
    RoadDesign design;
    const RoadError error = Read(c.table, design, c.columns);
    ASSERT_FALSE(error) << Message(error);
    std::string line;
    AppendCurveLine(design.curves.at(0), {3, 4}, line);
    EXPECT_EQ(line,
              "JD1,608.220,314.430,-78.2044,110.000,55.000,55.000,118.001,118.001,205.412,33.365,"
              "30.590,K0+224.341,K0+106.340,K0+161.340,K0+209.047,K0+256.753,K0+311.753")
        << c.table;
  }
}

// A JD table saved on Chinese Windows (GBK) gives its names in UTF-8; read
// as the encoding it is not, the row is refused, naming the encoding.
TEST_F(RoadFiles, AGbkJdTableGivesItsChineseNames) {
  const std::string gbk =
      "PSta,437.58,168.79\n\xBD\xBB\xB5\xE3" "1,608.22,314.43,110,55\nPEnd,801.97,163.79\n";
  RoadDesign design;
  RoadError error = Read(gbk, design);
  ASSERT_FALSE(error) << Message(error);
  EXPECT_EQ(design.curves.at(0).name, "交点1");

  RoadRequest request;
  request.path = File("road.csv", gbk);
  request.encoding = TextEncoding::kUtf8;
  error = ReadRoad(request, design);
  EXPECT_EQ(Message(error),
            "road.csv:2: line is not UTF-8 text: say the input's encoding with --encoding NAME");
}

// What the tool says of each design it cannot read or build.
TEST_F(RoadFiles, EachBadDesignNamesItsLineAndPoints) {
  struct Case {
    RoadRequest::Table table;
    std::string text;
    std::string message;
  };
  using T = RoadRequest::Table;
  const std::string bp = "BP,0,0\n";
  const Case cases[] = {
      {T::kIntersections, "BP,0,0\n",
       "road.csv: a JD table needs two points or more, BP "
       "first and EP last"},
      {T::kIntersections, bp + "JD1,100,0,50\nJD2,100,0,50\nEP,200,100\n",
       "road.csv:2: JD1 and JD2 are at one place"},
      {T::kIntersections, bp + "JD1,100,0\nEP,200,100\n",
       "road.csv:2: JD1: R must be above 0: 0.000"},
      {T::kIntersections, bp + "JD1,100,0,50,-5\nEP,200,100\n",
       "road.csv:2: JD1: a spiral length must not be below 0: -5.000"},
      {T::kIntersections, bp + "JD1,100,0,50\nEP,50,0\n",
       "road.csv:2: JD1: the route turns back on itself"},
      {T::kIntersections, bp + "JD1,100,0,50\nEP\n", "road.csv:3: EP: missing field X"},
      {T::kIntersections, bp + "JD1,100,0,50,10,10,9\nEP,200,100\n",
       "road.csv:2: JD1: extra field \"9\""},
      {T::kIntersections, bp + ",100,0,50\nEP,200,100\n",
       "road.csv:2: a point of a JD table needs a name"},
      {T::kElements, "# no start\n",
       "road.csv: an element table needs its start row (X Y AZIMUTH CHAINAGE) and an element "
       "or more"},
      {T::kElements, "0,0,45.6,0\n100,,\n",
       "road.csv:1: AZIMUTH has minutes of 60 or more: "
       "\"45.6\""},
      {T::kElements, "0,0,45,K0+000\n100,,\nS2,0,,\n",
       "road.csv:3: S2: LENGTH must be above 0: 0.000"},
      {T::kElements, "0,0,45,0\n100,,\n700,100,100\n",
       "road.csv:3: element 2 turns through 401.070 degrees, more than a full circle"},
      {T::kElements, "0,0,45,0\n100,0\n", "road.csv:2: missing field R2"},
  };
  for (const Case& c : cases) {
    RoadRequest request;
    request.table = c.table;
    request.path = File("road.csv", c.text);
    RoadDesign design;
    EXPECT_EQ(Message(ReadRoad(request, design)), c.message) << c.text;
  }
}

TEST_F(RoadFiles, EachBadProfileNamesItsLines) {
  const std::string road = File("road.csv", "BP,0,0\nEP,0,1000\n");
  const std::pair<std::string, std::string> cases[] = {
      {"K0+000,100\n", "profile.csv: a profile needs two points or more"},
      {"K0+000,100\nK0+500,105,-1\nK1+000,100\n", "profile.csv:2: R must not be below 0: -1.000"},
      {"0,100\n500,105\n400,100\n",
       "profile.csv:3: CHAINAGE 400.000 is below the chainage before it"},
      {"0,100\n500,105\n500,100\n", "profile.csv:2: two points at one chainage (lines 2 and 3)"},
      {"0,100\nK1+000,105,10000\nK1+100,100,10000\n2000,100\n",
       "profile.csv:2: the vertical curves of lines 2 and 3 take 425.000 more than the grade "
       "line between them"},
      {"0,100\nK0-100,105\n",
       "profile.csv:2: CHAINAGE is not a chainage (1234.567 or K1+234.567): \"K0-100\""},
  };
  for (const auto& [text, message] : cases) {
    RoadRequest request;
    request.path = road;
    request.profile = File("profile.csv", text);
    RoadDesign design;
    EXPECT_EQ(Message(ReadRoad(request, design)), message) << text;
  }
}

std::vector<std::string> Names(const RoadRows& road, const StakeRange& range) {
  StakeWalk walk(road, range, 3);
  std::vector<std::string> names;
  Stake stake;
  while (walk.Next(stake)) names.push_back(stake.name);
  return names;
}

TEST_F(RoadFiles, StakesAreNamedByTheirChainageSideAndMainPoint) {
  auto design = std::make_shared<RoadDesign>();
  ASSERT_FALSE(Read("PSta,437.58,168.79\nJD1,608.22,314.43,110,55\nPEnd,801.97,163.79\n", *design));
  const auto road = MakeRoadRows(design, 3);
  StakeRange range;
  range.interval = 50;
  range.offsets = {-10, 7.5};
  range.from = 100;
  range.to = 160;
  EXPECT_EQ(
      Names(*road, range),
      (std::vector<std::string>{"K0+100", "K0+100 L10", "K0+100 R7.5", "K0+106.340 ZH",
                                "K0+106.340 ZH L10", "K0+106.340 ZH R7.5", "K0+150", "K0+150 L10",
                                "K0+150 R7.5", "K0+160", "K0+160 L10", "K0+160 R7.5"}));
  range.offsets.clear();
  range.from = -1e9;
  range.to = 300;
  range.interval = 100;
  range.mainPoints = false;
  EXPECT_EQ(Names(*road, range), (std::vector<std::string>{"K0+000", "K0+100", "K0+200", "K0+300"}));
}

// A range gives its ends as stakes, clipped to the road; one beyond the road
// or backwards gives none.
TEST_F(RoadFiles, ARangeIsClippedToTheRoad) {
  auto design = std::make_shared<RoadDesign>();
  ASSERT_FALSE(Read("PSta,437.58,168.79\nJD1,608.22,314.43,110,55\nPEnd,801.97,163.79\n", *design));
  const auto road = MakeRoadRows(design, 3);
  const struct {
    double from, to;
    std::vector<std::string> names;
  } cases[] = {
      {101, 119, {"K0+101", "K0+106.340 ZH", "K0+119"}},
      {300, 1e9, {"K0+300", "K0+311.753 HZ", "K0+400", "K0+439.173 EP"}},
      {500, 600, {}},
      {200, 100, {}},
  };
  for (const auto& c : cases) {
    StakeRange range;
    range.interval = 100;
    range.from = c.from;
    range.to = c.to;
    EXPECT_EQ(Names(*road, range), c.names) << c.from;
  }
}

// ZH falls on K0+120 where BP is at K0+013.659712: one stake, the main point.
TEST_F(RoadFiles, AMainPointOnAMultipleIsThatStake) {
  RoadRequest request;
  request.path = File("road.csv",
                      "PSta,437.58,168.79\nJD1,608.22,314.43,110,55\n"
                      "PEnd,801.97,163.79\n");
  request.startChainage = 13.659712;
  auto design = std::make_shared<RoadDesign>();
  ASSERT_FALSE(ReadRoad(request, *design));
  StakeRange range;
  range.to = 180;
  EXPECT_EQ(
      Names(*MakeRoadRows(design, 3), range),
      (std::vector<std::string>{"K0+013.660 BP", "K0+020", "K0+040", "K0+060", "K0+080", "K0+100",
                                "K0+120 ZH", "K0+140", "K0+160", "K0+175 HY", "K0+180"}));
}

}  // namespace
