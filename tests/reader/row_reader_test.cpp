#include "reader/rows/row_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "reader/rows/columns.h"

namespace {

using reading::Mode;
using reading::RowReader;
using reading::RowSettings;

struct Case {
  std::string line;
  std::string answer;
};

// Answers every line with one reader; rows that give "ERROR: " must report
// failure and all others success.
void ExpectAnswers(const RowSettings& settings, std::initializer_list<Case> cases) {
  const RowReader reader(settings);
  for (const Case& c : cases) {
    std::string out;
    const bool computed = reader.AnswerLine(c.line, out);
    EXPECT_EQ(out, c.answer) << '"' << c.line << '"';
    EXPECT_EQ(computed, out.rfind("ERROR: ", 0) != 0) << '"' << c.line << '"';
  }
}

RowSettings Forward() { return {}; }

RowSettings Inverse() {
  RowSettings settings;
  settings.mode = Mode::kInverse;
  return settings;
}

RowSettings FromStation(RowSettings settings, double x, double y) {
  settings.hasStation = true;
  settings.station = {x, y};
  return settings;
}

// Setting out from (1000, 2000) with the backsight in the direction given
// in decimal degrees.
RowSettings Setout(double backsightDegrees) {
  RowSettings settings;
  settings.mode = Mode::kSetout;
  settings = FromStation(settings, 1000, 2000);
  settings.backsightDegrees = backsightDegrees;
  return settings;
}

RowSettings WithColumns(RowSettings settings, const char* list) {
  const RowReader reader(settings);
  EXPECT_FALSE(reading::ReadColumns(list, reader.FieldNames(), settings.mode == Mode::kSetout,
                                    settings.columns));
  return settings;
}

TEST(RowReader, ForwardRowsGiveTheEndPointAsTheFormShowsIt) {
  ExpectAnswers(Forward(), {
                               {"1000 2000 45.3025 100", "1070.082282 2071.333539"},
                               {"0 0 90 10", "0.000000 10.000000"},
                               {"0 0 0 10", "10.000000 0.000000"},
                               {"0 0 180 10", "-10.000000 0.000001"},
                               {"1000,2000,45.3025,100", "1070.082282,2071.333539"},
                               {"1000;2000;45.3025;100", "1070.082282;2071.333539"},
                               {"\t1000 ;\t2000 ;  45.3025;   100  ", "1070.082282;2071.333539"},
                               {"1000 2000 45.3025 100\r", "1070.082282 2071.333539"},
                               {"1e3 2d3 +45.3025 100.", "1070.082282 2071.333539"},
                           });
}

TEST(RowReader, InverseRowsGiveAzimuthAndDistance) {
  ExpectAnswers(Inverse(), {
                               {"1000 2000 1070 2071.4", "45.340216 99.989799"},
                               {"0 0 100 100", "45.000000 141.421356"},
                               {"0 0 0 100", "90.000001 100.000000"},
                               {"0 0 0 -100", "269.595999 100.000000"},
                               // the form shows 359.596000: 60 seconds carry into the degrees
                               {"0 0 100 -0.0000001", "360.000000 100.000000"},
                               {"0 0 100 -1e-15", "360.000000 100.000000"},
                               {"0 0 0 0", "ERROR: identical points"},
                               {"P7 5 5 5 5", "ERROR: P7: identical points"},
                               {"0 0 0 -0", "ERROR: identical points"},
                           });
}

TEST(RowReader, StationRowsHoldOnlyTheSecondHalf) {
  ExpectAnswers(FromStation(Forward(), 1000, 2000),
                {
                    {"45.3025 100", "1070.082282 2071.333539"},
                    {"P1 45.3025 100", "P1 1070.082282 2071.333539"},
                    {"45.3025", "ERROR: missing field DISTANCE"},
                    {"45.6 100", "ERROR: AZIMUTH has minutes of 60 or more: \"45.6\""},
                    {"1000 2000 45.3025 100",
                     "ERROR: 4 fields: forward takes AZIMUTH DISTANCE, led by a name or not; say "
                     "which field is which, e.g. --columns name,azimuth,distance,-"},
                });
  ExpectAnswers(FromStation(Inverse(), 1000, 2000),
                {
                    {"1070 2071.4", "45.340216 99.989799"},
                    {"K12 1070 2071.4", "K12 45.340216 99.989799"},
                    {"1000 2000", "ERROR: identical points"},
                    {"abc", "ERROR: X1 is not a number: \"abc\""},  // before "missing"
                    {"1000", "ERROR: missing field Y1"},
                    {"7 1070 2071.4", "7 45.340216 99.989799"},
                });
}

TEST(RowReader, SetoutRowsGiveAzimuthAngleFromTheBacksightAndDistance) {
  // The backsight due east, as the inverse computation finds it.
  ExpectAnswers(Setout(90.0000015352345),
                {
                    {"K1 1100 2000", "K1 0.000000 269.595999 100.000000"},
                    {"K2 1000 2100", "K2 90.000001 0.000000 100.000000"},
                    // 314°59'59.997": the angle's 60 seconds carry
                    {"1100 2100", "45.000000 315.000000 141.421356"},
                    // a hair north of the backsight: 360 - 3e-9 degrees
                    {"1000.0000001 2100", "90.000001 360.000000 100.000000"},
                    {"K3,900,2000", "K3,180.000001,90.000001,100.000000"},
                    {"1000 2000", "ERROR: point is on the station"},
                    {"K4 1000 2000", "ERROR: K4: point is on the station"},
                    {"1100", "ERROR: missing field Y"},
                    {"K6 1100 2000 9",
                     "ERROR: K6: 4 fields: setout takes X Y, led by a name or not; say which "
                     "field is which, e.g. --columns name,x,y,-"},
                    {"K7 1e999 2000", "ERROR: K7: X is out of range: \"1e999\""},
                    {"-1e308 2000", "ERROR: result DISTANCE is out of range"},
                });
  // 45°30'25" (45.3025), rounded as angles to whole minutes.
  RowSettings minutes = Setout(45.50694444444444);
  minutes.decimals = 3;
  minutes.azimuthDecimals = 2;
  ExpectAnswers(minutes, {
                             {"K1 1100 2000", "K1 0.00 314.30 100.000"},  // 314°29'35"
                             {"1100 2100", "45.00 359.30 141.421"},
                         });
}

// Rows listed before a station is chosen: each row's point, name, code and
// height as read; nothing is checked against the station (1000, 2000), and a
// field that does not read is an error all the same.
TEST(RowReader, ListedRowsGiveTheirPointsAndNothingComputed) {
  using Kind = reading::LineAnswer::Kind;
  RowSettings listed = Setout(0.0);
  listed.compute = false;
  const struct {
    const RowSettings settings;
    const char* line;
    Kind kind;
    double x, y;
    const char* name;
    const char* code;
    const char* height;
  } cases[] = {
      {listed, "K1 1100 2000", Kind::kAnswer, 1100, 2000, "K1", "", ""},
      {listed, "1000 2000", Kind::kAnswer, 1000, 2000, "", "", ""},  // on the station
      // 3,350,000 km off, east and north the other way round
      {listed, "3350000 500000", Kind::kAnswer, 3350000, 500000, "", "", ""},
      {listed, "K7 1e999 2000", Kind::kError, 0, 0, "K7", "", ""},
      {WithColumns(listed, "name,code,y,x,h"), "K2,kerb,2100,1000,21.300", Kind::kAnswer, 1000,
       2100, "K2", "kerb", "21.300"},
      {WithColumns(listed, "name,code,y,x,h"), "K3,,2100,,", Kind::kError, 0, 0, "K3", "", ""},
  };
  for (const auto& given : cases) {
    const RowReader reader(given.settings);
    reading::LineAnswer answer;
    reader.Read(given.line, answer);
    EXPECT_EQ(answer.kind, given.kind) << given.line << ": " << answer.text;
    EXPECT_EQ(answer.name, given.name) << given.line;
    EXPECT_EQ(answer.code, given.code) << given.line;
    EXPECT_EQ(answer.height, given.height) << given.line;
    if (given.kind != Kind::kAnswer) continue;
    EXPECT_TRUE(answer.hasPoint) << given.line;
    EXPECT_EQ(answer.point.x, given.x) << given.line;
    EXPECT_EQ(answer.point.y, given.y) << given.line;
  }
}

TEST(RowReader, ColumnsSayWhereTheNumbersAndTheNameAre) {
  const RowSettings sheet = WithColumns(Setout(0.0), "name,code,y,x,h");
  ExpectAnswers(
      sheet,
      {
          // the code and the height as read
          {"K12,,2100,1100,21.3", "K12,,45.000000,45.000000,141.421356,21.3"},
          {" K12 , Kerb , 2100 , 1100 , 21.3 \r", "K12,Kerb,45.000000,45.000000,141.421356,21.3"},
          {"K12;;2100;1100;", "K12;;45.000000;45.000000;141.421356;"},
          {"K12\tc\t2100\t1100\t-0", "K12\tc\t45.000000\t45.000000\t141.421356\t-0"},
          // without commas, semicolons or tabs the blanks separate
          {"K12 c 2100 1100 21.3", "K12 c 45.000000 45.000000 141.421356 21.3"},
          {"Pt 12,,2100,1100,", "Pt 12,,45.000000,45.000000,141.421356,"},
          {",,2100,1100,", ",,45.000000,45.000000,141.421356,"},  // the column stays
          {"K12,,2100,abc", "ERROR: K12: X is not a number: \"abc\""},
          {"K12,,2100,1100", "ERROR: K12: missing field H"},
          {"K12,,,1100,1", "ERROR: K12: Y is not a number: \"\""},
          {"K12,,2100,1100,1,", "ERROR: K12: extra field \"\""},
          {"K12,,2100,1100,x", "ERROR: K12: H is not a number: \"x\""},
          {"K12,,2100,1100,1e999", "ERROR: K12: H is out of range: \"1e999\""},
          {"ERROR:,,2100,1100,1", "ERROR: point name starting \"ERROR:\" is reserved"},
          {"ERROR: K,,2100,1100,1", "ERROR: point name starting \"ERROR:\" is reserved"},
          {"ERROR,,2100,1100,1", "ERROR,,45.000000,45.000000,141.421356,1"},
          {"K12,,2000,1000,1", "ERROR: K12: point is on the station"},
      });
  // Marks are found eight bytes at a time: rows shorter than eight, eight
  // long, and with a rest after full eights.
  ExpectAnswers(WithColumns(Setout(0.0), "x,y"),
                {
                    {"1e3,3e3", "90.000001,90.000001,1000.000000"},
                    {"1100;2e3", "0.000000;0.000000;100.000000"},
                    {"11e2\t2e3", "0.000000\t0.000000\t100.000000"},
                    {"1100,2000", "0.000000,0.000000,100.000000"},
                    {"1100.00000000,2000.0000000", "0.000000,0.000000,100.000000"},
                    {"1100,2000,   ", "ERROR: extra field \"\""},
                    {"1100 ,", "ERROR: Y is not a number: \"\""},
                });
  ExpectAnswers(WithColumns(Setout(0.0), "-,x,y,name,-"),
                {
                    {"7,1100,2100,K12,x", "K12,45.000000,45.000000,141.421356"},
                    {"7,1100,2100,ERROR: K,x", "ERROR: point name starting \"ERROR:\" is reserved"},
                    {"7,1100,2100,K12", "ERROR: K12: missing field 5"},
                });
  ExpectAnswers(WithColumns(FromStation(Forward(), 1000, 2000), "distance,azimuth,name"),
                {
                    {"100,45.3025,P1", "P1,1070.082282,2071.333539"},
                    {"100,45.6,P1", "ERROR: P1: AZIMUTH has minutes of 60 or more: \"45.6\""},
                });
  ExpectAnswers(WithColumns(Inverse(), "y0,x0,y1,x1"),
                {
                    {"2000;1000;2071.4;1070", "45.340216;99.989799"},
                    {"2000;1000;2071.4;1070;P1", "ERROR: extra field \"P1\""},
                });
}

// Rows as field software, spreadsheets and editors save them, set out from
// 3512900,498300 with north as the backsight: each layout reads as its own
// rules say, or is an error that says why; none is read two ways.
TEST(RowReader, RealExportsReadAsTheirLayoutSays) {
  RowSettings station = Setout(0.0);
  station.station = {3512900, 498300};
  ExpectAnswers(
      WithColumns(station, "name,code,y,x,h"),
      {
          {"K1,,498301.214,3512930.558,21.3", "K1,,2.163013,2.163013,30.582105,21.3"},
          {"K1 kerb 498301.214 3512930.558 21.3", "K1 kerb 2.163013 2.163013 30.582105 21.3"},
          // decimal commas where semicolons or tabs separate; heights with a point
          {"K1;;498301,214;3512930,558;21,3", "K1;;2.163013;2.163013;30.582105;21.3"},
          {"K1\t\t498301,214\t3512930,558\t21,3", "K1\t\t2.163013\t2.163013\t30.582105\t21.3"},
          // a comma before a point groups thousands: as the number written without it
          {"K1;;1,234.5;3512930,5;", "K1;;270.001265;270.001265;497065.500936;"},
          {"K1;;1234.5;3512930,5;", "K1;;270.001265;270.001265;497065.500936;"},
          {"K1;;498301,214;3512930,558;21,3;", "ERROR: K1: extra field \"\""},
          // quotes as spreadsheets write them, and written back where needed
          {R"("K1","",498301.214,"3512930.558",21.3)", "K1,,2.163013,2.163013,30.582105,21.3"},
          {R"("K1, kerb",,498301.214,3512930.558,)", R"("K1, kerb",,2.163013,2.163013,30.582105,)"},
          {R"("K""1";"a;b";"498301,214";"3512930,558";"21,3")",
           R"("K""1";"a;b";2.163013;2.163013;30.582105;21.3)"},
          {R"("K1,,498301.214,3512930.558,)", "ERROR: a quoted field is not closed"},
          {R"("K1"x,,498301.214,3512930.558,)", "ERROR: text follows the closing quote of a field"},
          // names as they are, but for bytes that would act on a terminal
          {"测站1,,498301.214,3512930.558,", "测站1,,2.163013,2.163013,30.582105,"},
          {"K\x1b"
           "1,,498301.214,3512930.558,",
           R"(K\x1b1,,2.163013,2.163013,30.582105,)"},
      });
  ExpectAnswers(
      station,
      {
          {"K1 3512930.558 498301.214", "K1 2.163013 2.163013 30.582105"},
          {R"("K 1" 3512930.558 498301.214)", R"("K 1" 2.163013 2.163013 30.582105)"},
          // a design.dat row without --columns: never east and north swapped
          {"K4,,499950.500,3349920.250,",
           "ERROR: K4: 5 fields: setout takes X Y, led by a name or not; say which field is "
           "which, e.g. --columns name,code,y,x,h"},
          {"3512930.558,498301.214,",
           "ERROR: 3 fields, the last empty: NAME X Y, or X Y and an empty field; say which "
           "field is which, e.g. --columns x,y,-"},
          // a name,east,north file: far away as read, near the other way round
          {"K1,498301.214,3512930.558",
           "ERROR: K1: read as north, east the point is 4263308.954531 from the station, read as "
           "east, north 30.582105: for a file that gives east first say --columns name,y,x, for "
           "north first --columns name,x,y"},
      });
  ExpectAnswers(FromStation(Inverse(), 3512900, 498300),
                {
                    {"498301.214 3512930.558",
                     "ERROR: read as north, east the point is 4263308.954531 from the station, "
                     "read as east, north 30.582105: for a file that gives east first say "
                     "--columns y1,x1, for north first --columns x1,y1"},
                });
  // With a column list too: a row the other way round from its list.
  ExpectAnswers(WithColumns(station, "name,y,x"),
                {{"K1,498301.214,3512930.558", "K1,2.163013,2.163013,30.582105"},
                 {"K1,3512930.558,498301.214",
                  "ERROR: K1: read by the column list the point is 4263308.954531 from the "
                  "station, with x and y the other way round 30.582105: for a file that gives "
                  "east first say --columns name,y,x, for north first --columns name,x,y"}});
  ExpectAnswers(WithColumns(station, "name,code,x,y,h"),
                {{"K1,,498301.214,3512930.558,",
                  "ERROR: K1: read by the column list the point is 4263308.954531 from the "
                  "station, with x and y the other way round 30.582105: for a file that gives "
                  "east first say --columns name,code,y,x,h, for north first --columns "
                  "name,code,x,y,h"}});
  ExpectAnswers(FromStation(Forward(), 1000, 2000), {
                                                        {"45;100,5", "1071.064232;2071.064231"},
                                                        {"45\t100,5", "1071.064232\t2071.064231"},
                                                    });
}

TEST(RowReader, AHeaderIsFoundInTheColumns) {
  // Split at the commas, "Pt 1" is no number.
  const RowReader reader(WithColumns(Setout(0.0), "name,code,y,x,h"));
  for (const char* header : {"Name,Code,E,N,H", "Pt 1,Code,E,N,H"}) {
    std::string out;
    EXPECT_TRUE(reader.AnswerLine(header, out, {1}));
    EXPECT_EQ(out, header);
  }
  // A first row with a mistyped number is no header; nor one in quotes.
  const std::pair<const char*, const char*> rows[] = {
      {"K1,2,E,N,H", "ERROR: K1: Y is not a number: \"E\""},
      {"K1,,498301.2O,3512930.5O,",
       "ERROR: K1: Y is not a number: \"498301.2O\" (a title or preamble line? --skip-lines 1 "
       "copies the first line as it is)"},
      {R"("K1","","498301,2","3512930,5","")", "K1,,8.023731,8.023731,3546825.442273,"},
  };
  for (const auto& [row, answer] : rows) {
    std::string out;
    reader.AnswerLine(row, out, {1});
    EXPECT_EQ(out, answer);
  }
}

TEST(RowReader, AFieldBeforeAFullRowIsTheName) {
  ExpectAnswers(Forward(), {
                               {"P1 1000 2000 45.3025 100", "P1 1070.082282 2071.333539"},
                               {"设站点 1000 2000 45.3025 100", "设站点 1070.082282 2071.333539"},
                               {"A-1,1000,2000,45.3025,100\r", "A-1,1070.082282,2071.333539"},
                               // point numbers are names too
                               {"101 1000 2000 45.3025 100", "101 1070.082282 2071.333539"},
                               {"-7,1000,2000,45.3025,100", "-7,1070.082282,2071.333539"},
                               // more fields: which is which cannot be told
                               {"P1 1000 2000 45.3025 100 7",
                                "ERROR: P1: 6 fields: forward takes X0 Y0 AZIMUTH DISTANCE, led by "
                                "a name or not; say which field is which, e.g. --columns "
                                "name,x0,y0,azimuth,distance,-"},
                               // without a spare field the name stands where X0 should be
                               {"P1 2000 45.3025 100", "ERROR: X0 is not a number: \"P1\""},
                               {"P1 Q2 2000 45.3025 100", "ERROR: P1: X0 is not a number: \"Q2\""},
                               // an answer never reads like an error line
                               {"ERROR: 1000 2000 45.3025 100",
                                "ERROR: point name starting \"ERROR:\" is reserved"},
                               {"ERROR 1000 2000 45.3025 100", "ERROR 1070.082282 2071.333539"},
                               // text where a number belongs is named before the fields are counted
                               {"0 0 abc", "ERROR: AZIMUTH is not a number: \"abc\""},
                               {"P1 0 0", "ERROR: X0 is not a number: \"P1\""},
                               {"0 0 abc 1 2 3 4",
                                "ERROR: 7 fields: forward takes X0 Y0 AZIMUTH DISTANCE, led by a "
                                "name or not; say which field is which, e.g. --columns "
                                "name,x0,y0,azimuth,distance,-,-"},
                           });
}

TEST(RowReader, AnswersKeepTheSeparatorThatFollowsTheFirstField) {
  ExpectAnswers(Forward(),
                {
                    {"0,0,90,10", "0.000000,10.000000"},
                    {"0;0;90;10", "0.000000;10.000000"},
                    {"0\t0\t90\t10", "0.000000\t10.000000"},
                    {"0 0 90 10", "0.000000 10.000000"},
                    {"0 , 0 , 90 , 10", "0.000000,10.000000"},  // blanks around it ignored
                    {"0\t;0;90;10", "0.000000;10.000000"},
                    // a line with a comma is split at its commas only
                    {"0 0,90,10", "ERROR: X0 is not a number: \"0 0\""},
                    // and one with a semicolon at its semicolons: "0,0" is 0.0
                    {"0,0;90;10", "ERROR: missing field DISTANCE"},
                    {"P1,0,0,90,10", "P1,0.000000,10.000000"},
                    {"P1\t0e0\t0\t90\t10", "P1\t0.000000\t10.000000"},
                    {"P1,0,0,45.6,10", "ERROR: P1: AZIMUTH has minutes of 60 or more: \"45.6\""},
                });
  ExpectAnswers(Inverse(), {{"0;0;0;100", "90.000001;100.000000"}});
}

TEST(RowReader, AFirstRowWithoutNumbersIsAHeader) {
  const RowReader reader(Forward());
  struct HeaderCase {
    std::string line;
    bool firstRow;
    std::string answer;
  };
  const HeaderCase cases[] = {
      {"X0,Y0,AZ,D\r", true, "X0,Y0,AZ,D"},
      {"Name\tX\tY\tAzimuth\tDistance\tNote\tEnd", true,
       "Name\tX\tY\tAzimuth\tDistance\tNote\tEnd"},
      {"P1 0 0 90 10", true, "P1 0.000000 10.000000"},
      // one number among the fields: a row, read as one
      {"X0 Y0 AZ D 7", true, "ERROR: X0: X0 is not a number: \"Y0\""},
      {"A B C D 7", true, "ERROR: A: X0 is not a number: \"B\""},
      {"X0,Y0,AZ,D", false, "ERROR: X0 is not a number: \"X0\""},
      // never a line that reads as an error
      {"ERROR: X Y", true, "ERROR: X0 is not a number: \"ERROR:\""},
  };
  for (const HeaderCase& c : cases) {
    std::string out;
    const bool computed = reader.AnswerLine(c.line, out, {c.firstRow ? 1u : 0u});
    EXPECT_EQ(out, c.answer) << c.line;
    EXPECT_EQ(computed, out.rfind("ERROR: ", 0) != 0) << c.line;
  }
}

TEST(RowReader, BlankAndCommentLinesPassThroughUnchanged) {
  ExpectAnswers(Forward(), {
                               {"", ""},
                               {"\r", ""},
                               {"   \t ", "   \t "},
                               {"# station S1, set-out 2024", "# station S1, set-out 2024"},
                               {"  # indented note\r", "  # indented note"},
                               {"#", "#"},
                               // but for bytes that would act on a terminal
                               {"# \x1b[2J\tcleared", "# \\x1b[2J\tcleared"},
                           });
}

TEST(RowReader, BadFieldsAreNamedAndNothingReadsAsZero) {
  ExpectAnswers(
      Forward(),
      {
          {"1000 2000 45.3025", "ERROR: missing field DISTANCE"},
          {",,1,", "ERROR: X0 is not a number: \"\""},  // empty fields count
          {"1000 2000 abc 100", "ERROR: AZIMUTH is not a number: \"abc\""},
          {"1000 2000 45.3025 12abc", "ERROR: DISTANCE is not a number: \"12abc\""},
          {"1000 0x1A 45 100", "ERROR: Y0 is not a number: \"0x1A\""},
          {"1000 2000 inf 100", "ERROR: AZIMUTH is not a number: \"inf\""},
          // split at the comma, never read as 1 and 5
          {"1,5 2000 45 100 3", "ERROR: Y0 is not a number: \"5 2000 45 100 3\""},
          {"1e999 2000 45 100", "ERROR: X0 is out of range: \"1e999\""},
          {"1000 -1d400 45 100", "ERROR: Y0 is out of range: \"-1d400\""},
          // underflow: nonzero digits that the double cannot hold
          {"1e-400 2000 45 100", "ERROR: X0 is out of range: \"1e-400\""},
          {"1000 -2.5e-310 45 100", "ERROR: Y0 is out of range: \"-2.5e-310\""},
          {"1000 2000 45 0.1D-323", "ERROR: DISTANCE is out of range: \"0.1D-323\""},
          {"0.000e-999 -0 45 2.3e-308", "0.000000 0.000000"},
          {"1000 2000 45 " + std::string(36, '1'),
           "ERROR: DISTANCE is longer than 35 characters: \"" + std::string(36, '1') + "\""},
          {"1000 2000 45 0." + std::string(33, '0'), "1000.000000 2000.000000"},
      });
}

TEST(RowReader, ResultsThatAreNotFiniteAreErrors) {
  ExpectAnswers(Forward(), {
                               {"1e308 0 0 1e308", "ERROR: result X is out of range"},
                               {"0 -1e308 90 -1e308", "ERROR: result Y is out of range"},
                               {"0 0 1e308 1", "ERROR: result X is out of range"},  // not a number
                           });
  ExpectAnswers(Inverse(), {
                               // the squares overflow although the distance would not
                               {"0 0 1e200 0", "ERROR: result DISTANCE is out of range"},
                               {"0 -1e308 0 1e308", "ERROR: result DISTANCE is out of range"},
                           });
}

TEST(RowReader, MessagesShowFieldsAndNamesEscaped) {
  ExpectAnswers(
      Forward(),
      {
          {"0 0 4\x1b[2J5 1", R"(ERROR: AZIMUTH is not a number: "4\x1b[2J5")"},
          {"0 0 a\"b\\c 1", R"(ERROR: AZIMUTH is not a number: "a\"b\\c")"},
          {"0 0 4\r5\x7f 1", R"(ERROR: AZIMUTH is not a number: "4\r5\x7f")"},
          {"0 0 45° 1", R"(ERROR: AZIMUTH is not a number: "45°")"},
          // no valid UTF-8; a C1 control; a right-to-left override
          {"0 0 4\xff\xc0\xaf 1", R"(ERROR: AZIMUTH is not a number: "4\xff\xc0\xaf")"},
          {"0 0 4\xc2\x9b 1", R"(ERROR: AZIMUTH is not a number: "4\xc2\x9b")"},
          {"0 0 4\xe2\x80\xae 1", R"(ERROR: AZIMUTH is not a number: "4\xe2\x80\xae")"},
          {"0 0 4\xed\xa0\x80 1", R"(ERROR: AZIMUTH is not a number: "4\xed\xa0\x80")"},
          {"0 0 4\xf0\x9f\x93\x90 1", "ERROR: AZIMUTH is not a number: \"4\xf0\x9f\x93\x90\""},
          // the point a message is about
          {"K\x1b]0\x07 0 0 0 1 9",
           R"(ERROR: K\x1b]0\x07: 6 fields: forward takes X0 Y0 AZIMUTH DISTANCE, led by a name )"
           R"(or not; say which field is which, e.g. --columns name,x0,y0,azimuth,distance,-)"},
          {"测站 0 0 45.6 1", R"(ERROR: 测站: AZIMUTH has minutes of 60 or more: "45.6")"},
      });
}

// Names are told plain eight bytes at a time: the byte that must be shown
// escaped or quoted is found in a short name, in the last four bytes of one
// of four to seven, and in the last block of a longer one.
TEST(RowReader, NamesAreShownEscapedOrQuotedWhereverTheByteStands) {
  ExpectAnswers(WithColumns(Setout(0.0), "name,y,x"),
                {
                    {"K\x7f,2100,1100", R"(K\x7f,45.000000,45.000000,141.421356)"},
                    {R"("K""1",2100,1100)", R"("K""1",45.000000,45.000000,141.421356)"},
                    {"ABCD\x01"
                     "E,2100,1100",
                     R"(ABCD\x01E,45.000000,45.000000,141.421356)"},
                    {R"("K234567,",2100,1100)", R"("K234567,",45.000000,45.000000,141.421356)"},
                    {R"("K2345678""",2100,1100)", R"("K2345678""",45.000000,45.000000,141.421356)"},
                    {"K234567890123456\x1b,2100,1100",
                     R"(K234567890123456\x1b,45.000000,45.000000,141.421356)"},
                    {"K23456789测,2100,1100", "K23456789测,45.000000,45.000000,141.421356"},
                });
}

TEST(RowReader, LongNamesAndCodesAreWrittenWhole) {
  const std::string name(330, 'K');
  const std::string code(330, 'c');
  const std::string shown = "\"" + std::string(400, 'K') + " \"";
  ExpectAnswers(
      WithColumns(Setout(0.0), "name,code,y,x,h"),
      {
          {name + "," + code + ",2100,1100,1",
           name + "," + code + ",45.000000,45.000000,141.421356,1"},
          {"P," + shown + ",2100,1100,", "P," + shown + ",45.000000,45.000000,141.421356,"},
      });
}

TEST(RowReader, NegativeAzimuthsAreRefused) {
  ExpectAnswers(Forward(),
                {
                    {"0 0 -0.0001 1000", R"(ERROR: AZIMUTH is negative: "-0.0001" (add 360))"},
                    {"0 0 -45 1", R"(ERROR: AZIMUTH is negative: "-45" (add 360))"},
                    {"0 0 -4.5e1 1", R"(ERROR: AZIMUTH is negative: "-4.5e1" (add 360))"},
                    {"0 0 359.5959 1000", "1000.000000 -0.004955"},  // -1" as meant
                    {"0 0 -0 10", "10.000000 0.000000"},
                    {"0 0 -0.0 10", "10.000000 0.000000"},
                    {"0 0 45 -10", "-7.071068 -7.071068"},  // distances may be negative
                });
  ExpectAnswers(FromStation(Forward(), 0, 0),
                {
                    {"S1 -0.0001 1000", R"(ERROR: S1: AZIMUTH is negative: "-0.0001" (add 360))"},
                });
}

TEST(RowReader, AzimuthDigitsOfSixtyOrMoreAreRefused) {
  ExpectAnswers(Forward(),
                {
                    {"0 0 45.6 1", "ERROR: AZIMUTH has minutes of 60 or more: \"45.6\""},
                    {"0 0 45.99 1", "ERROR: AZIMUTH has minutes of 60 or more: \"45.99\""},
                    {"0 0 45.0060 1", "ERROR: AZIMUTH has seconds of 60 or more: \"45.0060\""},
                    {"0 0 -12.5960 1", "ERROR: AZIMUTH has seconds of 60 or more: \"-12.5960\""},
                    {"0 0 4.56e1 1", "ERROR: AZIMUTH has minutes of 60 or more: \"4.56e1\""},
                    {"0 0 45.595999 1", "0.694658 0.719340"},
                    {"0 0 45.30 100", "70.090927 71.325044"},
                });
  // Inverse coordinates are no angles.
  ExpectAnswers(Inverse(), {{"0 0 45.6 45.99", "45.143830 64.764497"}});
}

TEST(RowReader, DecimalsFollowTheSetting) {
  RowSettings settings;
  settings.decimals = 2;
  ExpectAnswers(settings, {{"1000 2000 45.3025 100", "1070.08 2071.33"}});
  settings.decimals = 0;
  ExpectAnswers(settings, {{"1000 2000 45.3025 100", "1070 2071"}});
  settings.decimals = 10;
  ExpectAnswers(settings, {{"0 0 90 10", "0.0000002679 10.0000000000"}});
  // Azimuths are written as valid packed angles, to their own decimals.
  settings = Inverse();
  settings.decimals = 2;
  ExpectAnswers(settings, {
                              {"0 0 100 -0.0000001", "360.00 100.00"},  // 359°59'59.99"
                              {"0 0 100 -0.01", "360.00 100.00"},       // 359°59'39.37"
                              {"0 0 100 -0.1", "359.57 100.00"},        // 359°56'33.74"
                          });
  settings.decimals = 3;
  settings.azimuthDecimals = 4;
  ExpectAnswers(settings, {
                              {"1000 2000 1070 2071.4", "45.3402 99.990"},
                              {"0 0 100 -0.001", "359.5958 100.000"},   // 359°59'57.94"
                              {"0 0 100 -0.0001", "360.0000 100.000"},  // 359°59'59.79"
                          });
}

TEST(RowReader, OverlongLinesAreRefusedWhole) {
  const std::string comment = "#" + std::string(reading::kMaxLineChars - 1, 'x');
  ExpectAnswers(Forward(), {
                               {comment, comment},
                               {comment + "\r", comment},
                               {comment + "y", "ERROR: line longer than 8192 characters"},
                           });
}

}  // namespace
