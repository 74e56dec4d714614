// What each mode's rows hold and give, as the tool's column lists, header
// rows and answers name them: a rule out of step with the modes' order
// would read one mode's rows as another's.

#include "reader/rows/mode_rule.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "reader/rows/row_road.h"

namespace {

using reading::Mode;

std::vector<std::string> Names(std::span<const char* const> names) {
  return std::vector<std::string>(names.begin(), names.end());
}

std::vector<std::string> Results(Mode mode) {
  const reading::ModeRule& rule = reading::RuleOf(mode);
  return Names(std::span<const char* const>(rule.results).first(rule.resultCount));
}

struct Road : reading::RowRoad {
  explicit Road(bool profile) : profile(profile) {}
  bool HasProfile() const override { return profile; }
  const char* ComputeRow(const reading::RowSettings&, const double*,
                         reading::LineAnswer&) const override {
    return nullptr;
  }
  bool profile;
};

using Strings = std::vector<std::string>;

TEST(ModeRule, EachModeReadsItsNumbersAndNamesItsResults) {
  struct Case {
    Mode mode;
    const char* name;
    Strings numbers, fromStation, results;
  };
  const Case cases[] = {
      {Mode::kForward, "forward", {"X0", "Y0", "AZIMUTH", "DISTANCE"}, {"AZIMUTH", "DISTANCE"},
       {"X", "Y"}},
      {Mode::kInverse, "inverse", {"X0", "Y0", "X1", "Y1"}, {"X1", "Y1"}, {"AZIMUTH", "DISTANCE"}},
      {Mode::kSetout, "setout", {"X0", "Y0", "X", "Y"}, {"X", "Y"},
       {"AZIMUTH", "ANGLE", "DISTANCE"}},
      {Mode::kStake, "stake", {"CHAINAGE", "OFFSET"}, {}, {"X", "Y", "AZIMUTH", "H"}},
      {Mode::kLocate, "locate", {"X", "Y"}, {}, {"K", "OFFSET", "H"}},
      {Mode::kAlignment, "alignment", {}, {}, {}},
      {Mode::kOrient, "orient", {"READING"}, {"READING"}, {"RESIDUAL", "LINEAR"}},
      {Mode::kFreeStation, "freestation", {"READING", "DISTANCE"}, {"READING", "DISTANCE"},
       {"V_READING", "V_DISTANCE"}},
      {Mode::kIntersect, "intersect", {"ANGLE_A", "ANGLE_B"}, {"ANGLE_A", "ANGLE_B"}, {"X", "Y"}},
      {Mode::kDistanceIntersect, "intersect", {"DISTANCE_A", "DISTANCE_B"},
       {"DISTANCE_A", "DISTANCE_B"}, {"X", "Y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_STREQ(reading::ModeName(c.mode), c.name);
    EXPECT_EQ(Names(reading::RowNumbers(c.mode, false)), c.numbers);
    EXPECT_EQ(Names(reading::RowNumbers(c.mode, true)), c.fromStation);
    EXPECT_EQ(Results(c.mode), c.results);
  }
}

TEST(ModeRule, OnlyForwardAndTheSightingsReadAnAzimuth) {
  EXPECT_STREQ(reading::RuleOf(Mode::kForward)
                   .fields[reading::RuleOf(Mode::kForward).azimuthField],
               "AZIMUTH");
  EXPECT_EQ(reading::RuleOf(Mode::kOrient).azimuthField, 0u);
  EXPECT_EQ(reading::RuleOf(Mode::kFreeStation).azimuthField, 0u);
  for (Mode mode : {Mode::kInverse, Mode::kSetout, Mode::kStake, Mode::kLocate,
                    Mode::kIntersect, Mode::kDistanceIntersect})
    EXPECT_EQ(reading::RuleOf(mode).azimuthField, reading::kNoAzimuth) << reading::ModeName(mode);
  EXPECT_TRUE(reading::RuleOf(Mode::kIntersect).allAngles);
  EXPECT_FALSE(reading::RuleOf(Mode::kDistanceIntersect).allAngles);
}

TEST(ModeRule, RowsThatNameKnownPointsAreLedByTheirNames) {
  EXPECT_EQ(reading::RuleOf(Mode::kOrient).nameCount, 1u);
  EXPECT_EQ(reading::RuleOf(Mode::kFreeStation).nameCount, 1u);
  const reading::ModeRule& intersect = reading::RuleOf(Mode::kIntersect);
  EXPECT_EQ(Names(std::span<const char* const>(intersect.names).first(intersect.nameCount)),
            (Strings{"NAME", "A", "B"}));
  for (Mode mode : {Mode::kForward, Mode::kInverse, Mode::kSetout, Mode::kStake, Mode::kLocate}) {
    EXPECT_EQ(reading::RuleOf(mode).nameCount, 0u) << reading::ModeName(mode);
    EXPECT_FALSE(reading::NamesKnownPoints(mode)) << reading::ModeName(mode);
  }
  for (Mode mode : {Mode::kOrient, Mode::kFreeStation, Mode::kIntersect,
                    Mode::kDistanceIntersect})
    EXPECT_TRUE(reading::NamesKnownPoints(mode)) << reading::ModeName(mode);
  EXPECT_TRUE(reading::AnswersAfterLastRow(Mode::kOrient));
  EXPECT_TRUE(reading::AnswersAfterLastRow(Mode::kFreeStation));
  EXPECT_FALSE(reading::AnswersAfterLastRow(Mode::kIntersect));
}

TEST(ModeRule, TheOptionalLastNumbersAreAStakesOffsetAndAFreeStationsDistance) {
  EXPECT_EQ(reading::RuleOf(Mode::kStake).optionalFields, 1u);
  EXPECT_EQ(reading::RuleOf(Mode::kFreeStation).optionalFields, 1u);
  EXPECT_TRUE(reading::RuleOf(Mode::kFreeStation).resultMayBeNone[1]);
  EXPECT_FALSE(reading::RuleOf(Mode::kFreeStation).resultMayBeNone[0]);
  EXPECT_EQ(reading::RuleOf(Mode::kStake).chainageField, 0u);
  for (Mode mode : {Mode::kForward, Mode::kSetout, Mode::kLocate, Mode::kOrient})
    EXPECT_EQ(reading::RuleOf(mode).chainageField, reading::kNoChainage)
        << reading::ModeName(mode);
}

TEST(ModeRule, TheDesignHeightIsAResultOnlyOnARoadWithAProfile) {
  reading::RowSettings settings;
  settings.mode = Mode::kStake;
  settings.road = std::make_shared<Road>(false);
  EXPECT_EQ(reading::ResultCount(settings), 3u);  // X Y AZIMUTH
  settings.road = std::make_shared<Road>(true);
  EXPECT_EQ(reading::ResultCount(settings), 4u);  // and H
  settings.mode = Mode::kLocate;
  EXPECT_EQ(reading::ResultCount(settings), 3u);  // K OFFSET H
  settings.road = std::make_shared<Road>(false);
  EXPECT_EQ(reading::ResultCount(settings), 2u);
  settings.mode = Mode::kSetout;
  settings.road = nullptr;
  EXPECT_EQ(reading::ResultCount(settings), 3u);
}

}  // namespace
