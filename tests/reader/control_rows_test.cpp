// The control lines' reading: a traverse's and a levelling line's rows as
// every mode reads rows, the benchmarks' file, the line made of them and
// the faults each step names.

#include "reader/control/control_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "reader/control/control_line.h"
#include "reader/control/control_text.h"
#include "reader/control/level_heights.h"

namespace {

using reading::ControlRows;
using reading::LineError;
using reading::Mode;
using What = reading::LineError::What;

// The rows of `lines` read as one input by a reader of `mode`.
ControlRows Read(const reading::RowReader& reader, const std::vector<std::string>& lines) {
  ControlRows rows(reader);
  rows.Start();
  for (std::size_t i = 0; i < lines.size(); ++i) rows.Add(lines[i], "t:" + std::to_string(i + 1));
  rows.Finish();
  return rows;
}

TEST(ControlRows, TraverseRowsLeaveOutADashOrAMissingLastNumberAndKeepOtherLinesInPlace) {
  const reading::RowReader reader(reading::ControlRowSettings(Mode::kTraverse));
  const ControlRows rows = Read(reader, {"Station;Angle;Distance", "B;-;225,84", "# mid",
                                         "1;167.4536;139.026;88.3000", "C;129.2724"});
  EXPECT_FALSE(rows.failed());
  EXPECT_EQ(rows.separator(), ';');
  ASSERT_EQ(rows.observations().size(), 3u);
  const auto& b = rows.observations()[0];
  EXPECT_EQ(b.name, "B");
  EXPECT_TRUE(std::isnan(b.values[0]));
  EXPECT_DOUBLE_EQ(b.values[1], 225.84);
  EXPECT_TRUE(std::isnan(b.values[2]));
  EXPECT_DOUBLE_EQ(rows.observations()[1].values[2], 88.3);
  EXPECT_TRUE(std::isnan(rows.observations()[2].values[1]));
  // The header and the comment as lines of their own, in their places.
  ASSERT_EQ(rows.lines().size(), 5u);
  EXPECT_EQ(rows.lines()[0].copied, "Station;Angle;Distance\n");
  EXPECT_EQ(rows.lines()[2].copied, "# mid\n");
  EXPECT_EQ(rows.lines()[3].observation, 1u);
}

TEST(ControlRows, RowsThatDoNotReadAreErrorsAndTheFirstIsNamed) {
  const reading::RowReader reader(reading::ControlRowSettings(Mode::kTraverse));
  const struct {
    std::string row;
    std::string error;
  } cases[] = {
      {"1 167.4536 139.026 91.75", "1: ZENITH has minutes of 60 or more: \"91.75\""},
      {"1 1 2 3 4", "5 fields: traverse takes NAME ANGLE [DISTANCE] [ZENITH]"},
      {"1", "1: missing field ANGLE"},
  };
  for (const auto& [row, error] : cases) {
    const ControlRows rows = Read(reader, {"B 1 10", row, "C 1 x", "D 1"});
    EXPECT_TRUE(rows.failed());
    EXPECT_EQ(rows.firstFailure(), "t:2");
    EXPECT_EQ(rows.firstFailureText().substr(0, error.size()), error) << rows.firstFailureText();
    EXPECT_EQ(rows.observations().size(), 2u);
    EXPECT_EQ(reading::LineErrorText(reading::RowFailed(rows), "c").substr(0, 18),
              "t:2 does not read:");
  }
  // A dash is no height difference: every number of a levelling row is needed.
  const reading::RowReader level(reading::ControlRowSettings(Mode::kLevel));
  const ControlRows rows = Read(level, {"1 - 2"});
  EXPECT_EQ(rows.firstFailureText(), "1: DH is not a number: \"-\"");
}

reading::LevelHeights Heights(const std::vector<std::string>& lines, reading::FileError* error) {
  reading::LevelHeights heights;
  heights.Start("bm.dat");
  for (const std::string& line : lines) {
    *error = heights.AddLine(line);
    if (*error) break;
  }
  return heights;
}

TEST(LevelHeights, ReadsNameAndHeightOrNamePositionAndHeight) {
  reading::FileError error;
  const reading::LevelHeights heights = Heights(
      {"Name,H", "BMA,421.326", "", "BMB,2166.646,1757.344,425.062", "BMA2;421,5"}, &error);
  EXPECT_FALSE(error);
  double h = 0.0;
  EXPECT_EQ(heights.Find("BMA", h).what, reading::KnownPoints::Found::What::kFound);
  EXPECT_DOUBLE_EQ(h, 421.326);
  EXPECT_EQ(heights.Find("BMB", h).what, reading::KnownPoints::Found::What::kFound);
  EXPECT_DOUBLE_EQ(h, 425.062);
  EXPECT_EQ(heights.Find("BMA2", h).what, reading::KnownPoints::Found::What::kFound);
  EXPECT_DOUBLE_EQ(h, 421.5);
  EXPECT_EQ(heights.Find("BMC", h).what, reading::KnownPoints::Found::What::kMissing);
}

TEST(LevelHeights, RefusesARowThatDoesNotReadAndFindsNoNameGivenTwice) {
  const struct {
    std::string row;
    std::string error;
  } cases[] = {
      {"BMB 1 2", "bm.dat:2: 3 fields: a benchmark's row is NAME H or NAME X Y H"},
      {"BMB x", "bm.dat:2: BMB: H is not a number: \"x\""},
      {"BMB x 2 3", "bm.dat:2: BMB: X is not a number: \"x\""},
  };
  for (const auto& [row, text] : cases) {
    reading::FileError error;
    Heights({"BMA 1", row}, &error);
    EXPECT_EQ(reading::FileErrorText(error), text);
  }
  reading::FileError error;
  const reading::LevelHeights twice = Heights({"BMA 1", "# again", "BMA 2"}, &error);
  double h = 0.0;
  const auto found = twice.Find("BMA", h);
  EXPECT_EQ(found.what, reading::KnownPoints::Found::What::kTwice);
  EXPECT_EQ(found.line, 1u);
  EXPECT_EQ(found.twiceLine, 3u);
}

std::vector<reading::Observation> Observed(const std::vector<std::string>& names) {
  std::vector<reading::Observation> rows;
  for (const std::string& name : names) rows.push_back({name, {1.0, 0.5, NAN}, "t"});
  return rows;
}

TEST(MakeLevelLine, SplitsTheRunsAtTheTurningPointAndChecksTheEnds) {
  reading::LevelHeights heights;
  heights.Start("bm.dat");
  ASSERT_FALSE(heights.AddLine("BMA 100"));
  reading::LevelRequest asked;
  asked.start = "BMA";
  asked.turn = "T";
  survey::LevelInput input;
  EXPECT_FALSE(reading::MakeLevelLine(asked, heights, Observed({"1", "T", "2", "BMA"}), input));
  EXPECT_EQ(input.kind, survey::LevelKind::kOutAndBack);
  EXPECT_EQ(input.sections.size(), 2u);
  EXPECT_EQ(input.back.size(), 2u);
  EXPECT_DOUBLE_EQ(input.startHeight, 100.0);
  // The run back ends on the start.
  EXPECT_EQ(reading::MakeLevelLine(asked, heights, Observed({"1", "T", "2"}), input).what,
            What::kLastRow);
  asked.turn.clear();
  asked.end = "BMB";
  const LineError missing = reading::MakeLevelLine(asked, heights, Observed({"BMB"}), input);
  EXPECT_EQ(reading::LineErrorText(missing, "bm.dat"), "--end: no point BMB in bm.dat");
}

TEST(MakeTraverse, TellsTheKindByTheOrientationsGiven) {
  reading::TraverseRequest asked;
  asked.start = "A";
  EXPECT_EQ(reading::KindOf(asked), survey::TraverseKind::kUnoriented);
  asked.startAzimuth = 10.0;
  EXPECT_EQ(reading::KindOf(asked), survey::TraverseKind::kOpen);
  asked.end = "E";
  EXPECT_EQ(reading::KindOf(asked), survey::TraverseKind::kAttached);
  // Attached without an orientation at the end asks for no one line.
  reading::KnownPoints known;
  ASSERT_FALSE(known.Read("A 0 0\nE 100 0\n", {}, "ctl.dat"));
  survey::TraverseInput input;
  LineError error = reading::MakeTraverse(asked, known, Observed({"A", "P", "E"}), input);
  EXPECT_EQ(reading::LineErrorText(error, "ctl.dat"), "--end needs --foresight or --end-azimuth");
  asked.endAzimuth = 20.0;
  EXPECT_FALSE(reading::MakeTraverse(asked, known, Observed({"A", "P", "E"}), input));
  EXPECT_EQ(input.stations.size(), 3u);
  EXPECT_FALSE(input.stations[0].zenith.has_value());
  EXPECT_DOUBLE_EQ(input.end->x, 100.0);
  error = reading::MakeTraverse(asked, known, Observed({"E", "P", "A"}), input);
  EXPECT_EQ(reading::LineErrorText(error, "ctl.dat"), "the first row is E, not the start A");
}

TEST(ControlText, CellsThatDoNotApplyAreDashesAndZeroHasNoSign) {
  survey::TraverseResult table;
  table.sumD = 100.0;
  table.coordinates = survey::CoordinateClosure{-0.0004, 0.0, 0.0004, INFINITY, 0, 2000, false};
  EXPECT_EQ(reading::TraverseClosureCells(table),
            (reading::Cells{"CLOSURE", "-", "-", "0.000", "0.000", "0.000", "100.000", "0",
                            "1/2000"}));
  std::string line;
  reading::AppendCells({"K 1", "2"}, ' ', line);
  EXPECT_EQ(line, "\"K 1\" 2");
}

}  // namespace
