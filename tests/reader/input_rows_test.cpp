#include "reader/rows/input_rows.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "reader/fields/decimal_mark.h"
#include "reader/fields/field_splitter.h"
#include "reader/rows/known_points.h"

namespace {

using reading::Commas;
using reading::DecimalMark;

// Setting out from (1000, 2000) towards north, in the columns name,y,x.
reading::RowReader Reader(DecimalMark mark = DecimalMark::kUnknown) {
  reading::RowSettings settings;
  settings.mode = reading::Mode::kSetout;
  settings.hasStation = true;
  settings.station = {1000, 2000};
  settings.decimals = 3;
  settings.azimuthDecimals = 4;
  settings.decimalMark = mark;
  const reading::RowReader numbers(settings);
  EXPECT_FALSE(reading::ReadColumns("name,y,x", numbers.FieldNames(), true, settings.columns));
  return reading::RowReader(settings);
}

// The output of `lines` read as one input, the rows' lines as the tool
// writes them; `starts` holds the lines that start a joined input.
std::string Output(const reading::RowReader& reader, const std::vector<std::string>& lines,
                   reading::InputOptions options = {}, std::vector<std::size_t> starts = {}) {
  reading::InputRows input(reader, options);
  reading::LineAnswer answer;
  std::string out;
  for (std::size_t at = 0; at < lines.size(); ++at) {
    if (std::find(starts.begin(), starts.end(), at) != starts.end()) input.StartInput(out);
    if (!input.Read(lines[at], answer, out)) continue;
    reader.AppendLine(answer, out);
    out += '\n';
  }
  input.Finish(out);
  return out;
}

TEST(Commas, AreTheDecimalMarkOrGroupThousandsByTheirDigits) {
  const std::pair<const char*, Commas> cases[] = {
      {"498301.214", Commas::kNone},
      {"498301,214", Commas::kDecimal},
      {"21,3", Commas::kDecimal},
      {"0,500", Commas::kDecimal},
      {"-0,500", Commas::kDecimal},
      {",5", Commas::kDecimal},
      {"1,5e3", Commas::kDecimal},
      {"1,234e3", Commas::kDecimal},
      {"498,350", Commas::kEither},
      {"-21,300", Commas::kEither},
      {"+1,000", Commas::kEither},
      {"1,234.5", Commas::kGrouping},
      {"3,512,991", Commas::kGrouping},
      {"3,512,991.", Commas::kGrouping},
      {"1,23,456", Commas::kOther},
      {"1,2345", Commas::kDecimal},
      {"1234,567.8", Commas::kOther},
      {"0,123,456", Commas::kOther},
      {"1,234,56", Commas::kOther},
      {"a,5", Commas::kOther},
      {",", Commas::kOther},
      {"1,5e", Commas::kOther},
  };
  for (const auto& [field, commas] : cases) {
    EXPECT_EQ(reading::FindCommas(field), commas) << field;
  }
  std::array<char, survey::kFieldChars> buffer;
  EXPECT_EQ(reading::WithDecimalPoint("498,350", buffer, DecimalMark::kPoint), "498350");
  EXPECT_EQ(reading::WithDecimalPoint("498,350", buffer, DecimalMark::kComma), "498.350");
  EXPECT_EQ(reading::WithDecimalPoint("3,512,991.25", buffer), "3512991.25");
  EXPECT_EQ(reading::WithDecimalPoint("21,3", buffer, DecimalMark::kPoint), "21.3");
}

// A comma that may group thousands reads as --decimal-mark says, else as the
// row settles it, else as the first row before it that shows a mark (checked
// with Python: P0 is 100.001 at 0°17'11.3", P1 read with decimal commas
// 2233.787 at 243°26'14.1").
TEST(InputRows, TheRowsBeforeSettleACommaThatMayBeEither) {
  const reading::RowReader reader = Reader();
  EXPECT_EQ(Output(reader, {"P1,\"1,000\",\"1,100\""}),
            "ERROR: P1: Y \"1,000\" is 1000 where the comma groups thousands, 1.000 where it is "
            "the decimal mark: say which with --decimal-mark . or --decimal-mark ,\n");
  EXPECT_EQ(Output(reader, {"P0,2000.5,1100", "P1,\"2,000\",\"1,100\""}),
            "P0,0.1711,0.1711,100.001\nP1,0.0000,0.0000,100.000\n");
  EXPECT_EQ(Output(reader, {"P0;2000,5;1100", "P1;2,000;1,100"}),
            "P0;0.1711;0.1711;100.001\nP1;243.2614;243.2614;2233.787\n");
  // The first row that shows one settles it.
  EXPECT_EQ(Output(reader, {"P0,2000.5,1100", "P2;2100,5;1100", "P1,\"2,000\",\"1,100\""}),
            "P0,0.1711,0.1711,100.001\nP2;45.0834;45.0834;141.775\nP1,0.0000,0.0000,100.000\n");
  EXPECT_EQ(Output(Reader(DecimalMark::kPoint), {"P1,\"2,000\",\"1,100\""}),
            "P1,0.0000,0.0000,100.000\n");
}

// The lines before the first row: the first N skipped as they are, titles
// and headers copied, and with --header the header gives way to the
// --header lines; a byte-order mark inside starts all of this again.
TEST(InputRows, TheLinesBeforeTheFirstRowAreCopiedAndTheHeaderGivesWay) {
  const reading::RowReader reader = Reader();
  const std::string comment = "# station";
  const std::vector<std::string> file = {"放样 2026年12月", "Name,E,N", "", "P1,2000,1100"};
  EXPECT_EQ(Output(reader, file), "放样 2026年12月\nName,E,N\n\nP1,0.0000,0.0000,100.000\n");
  EXPECT_EQ(
      Output(reader, file, {0, &comment}),
      "放样 2026年12月\n# station\nNAME,AZIMUTH,ANGLE,DISTANCE\n\nP1,0.0000,0.0000,100.000\n");
  // Headings alone: the last gives way at the end.
  EXPECT_EQ(Output(reader, {"Title", "Name,E,N"}, {0, &comment}),
            "Title\n# station\nNAME,AZIMUTH,ANGLE,DISTANCE\n");
  EXPECT_EQ(Output(reader, {"Date: 12/03/2026", "P1,2000,1100"}, {1}),
            "Date: 12/03/2026\nP1,0.0000,0.0000,100.000\n");
  // A preamble line that may be a mistyped row is an error, and the lines
  // before the first row go on.
  EXPECT_EQ(Output(reader, {"Date: 12/03/2026", "Name,E,N", "P1,2000,1100"}),
            "ERROR: Date:: Y is not a number: \"12/03/2026\" (a title or preamble line? "
            "--skip-lines 1 copies the first line as it is)\nName,E,N\nP1,0.0000,0.0000,100.000\n");
  EXPECT_EQ(
      Output(reader, {"Name,E,N", "P1,2000,1100", "Name,E,N", "P1,2000,1100"}, {0, &comment}, {2}),
      "# station\nNAME,AZIMUTH,ANGLE,DISTANCE\nP1,0.0000,0.0000,100.000\nName,E,N\n"
      "P1,0.0000,0.0000,100.000\n");
}

// Names, codes and heights are written so that the answer line splits into
// the same fields again, whatever its separator.
TEST(AnswerFields, ReadBackIntoTheSameFields) {
  reading::RowSettings settings;
  settings.mode = reading::Mode::kSetout;
  settings.hasStation = true;
  settings.station = {1000, 2000};
  const reading::RowReader numbers(settings);
  ASSERT_FALSE(reading::ReadColumns("name,code,x,y", numbers.FieldNames(), true, settings.columns));
  const reading::RowReader reader(settings);
  const std::string texts[] = {"kerb; north", "a\tb", "K,1", "K 1", " K", "K\"1", "#1", ""};
  for (const char separator : {',', ';', '\t', ' '}) {
    for (const std::string& text : texts) {
      if (separator == ' ' && text.empty()) continue;  // no empty field between blanks
      reading::LineAnswer answer;
      answer.kind = reading::LineAnswer::Kind::kAnswer;
      answer.separator = separator;
      answer.named = true;
      answer.name = text;
      answer.code = text;
      std::string line;
      reader.AppendLine(answer, line);
      std::array<std::string_view, 8> fields;
      std::string unquoted;
      const reading::SplitLine split = reading::SplitFields(line, fields, unquoted);
      EXPECT_EQ(split.count, 5u) << line;
      EXPECT_EQ(fields[0], text) << line;
      EXPECT_EQ(fields[1], text) << line;
    }
  }
}

// A control file's first lines are read as any input's: skipped, a title
// copied, a row that does not decode named as such.
TEST(KnownPoints, ReadTheLinesBeforeTheFirstRowAsAnyInput) {
  reading::KnownPoints points;
  reading::InputReading input;
  input.skipLines = 1;
  EXPECT_FALSE(points.Read("Date: 12/03/2026\n控制点 2026年\nA1 1 2\n", {}, "ctl.dat", input));
  reading::Point point{};
  EXPECT_EQ(points.Find("A1", point).what, reading::KnownPoints::Found::What::kFound);
  const reading::FileError error = points.Read("A1 1 2\n\xFFGB18030\xFFK\xD6 1 2\n", {}, "ctl.dat");
  EXPECT_EQ(reading::FileErrorText(error),
            "ctl.dat:2: line is not GB18030 text: say the input's encoding with --encoding NAME");
  EXPECT_TRUE(error.undecoded);
}

}  // namespace
