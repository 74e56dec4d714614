#include "core/control/level_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using P = survey::ControlProblem;
constexpr std::size_t kNone = survey::kNoStation;
using survey::LevelCount;
using survey::LevelInput;
using survey::LevelKind;

survey::LevelLimits Grade(const char* name) { return survey::LevelGrade(name).value(); }

// The published attached line: BM A 421.326 to BM B 425.062 over 6, 5, 5
// and 4 stations.
LevelInput WorkedLine() {
  LevelInput in;
  in.kind = LevelKind::kAttached;
  in.count = LevelCount::kStations;
  in.startHeight = 421.326;
  in.endHeight = 425.062;
  in.sections = {{0.152, 6}, {-0.325, 5}, {1.428, 5}, {2.511, 4}};
  in.limits = Grade("等外");
  return in;
}

void ExpectRows(const survey::LevelResult& r, const std::vector<double>& corrections,
                const std::vector<double>& heights) {
  ASSERT_EQ(r.rows.size(), heights.size());
  for (std::size_t i = 0; i < heights.size(); ++i) {
    EXPECT_NEAR(r.rows[i].correction, corrections[i], 1e-12) << i;
    EXPECT_NEAR(r.rows[i].height, heights[i], 1e-9) << i;
  }
}

TEST(AttachedLevelLine, WorkedExampleGivesTheExactlyProportionalHeightsOverItsLimitOrNot) {
  // fh = +3.766 - 3.736 = +30 mm against 12 sqrt(20) = 53.7 mm. Shared
  // by stations, -1.5 mm a station: exactly -9, -7.5, -7.5, -6 mm. The
  // running total -9, -16.5, -24, -30 rounds to -9, -17, -24, -30, so the
  // corrections are -9, -8, -7, -6 and the heights 421.469, 421.136,
  // 422.557: each the exact adjustment (421.469, 421.1365, 422.557)
  // rounded half away from zero. The published table has 421.470,
  // 421.137, 422.557 because it gave -8, -8, -8, -6 (the remainder to the
  // first sections) and misprints one corrected difference as 0.114 for
  // 0.144.
  const auto result = survey::ComputeLevelLine(WorkedLine());
  ASSERT_TRUE(result.ok());
  const survey::LevelResult& r = result.value();
  EXPECT_NEAR(r.fhMm, 30.0, 1e-9);
  EXPECT_NEAR(r.limitMm, 53.665631, 1e-6);
  EXPECT_FALSE(r.over);
  EXPECT_DOUBLE_EQ(r.sumLength, 20.0);
  ExpectRows(r, {-0.009, -0.008, -0.007, -0.006}, {421.469, 421.136, 422.557, 425.062});
  // 三等 by stations, 4 sqrt(20) = 17.9 mm: over, and the heights given.
  LevelInput strict = WorkedLine();
  strict.limits = Grade("三等");
  const auto over = survey::ComputeLevelLine(strict).value();
  EXPECT_TRUE(over.over);
  EXPECT_NEAR(over.rows[1].height, 421.136, 1e-9);
}

TEST(ClosedLevelLine, SharesTheClosureByLengthAgainstTheLengthLimit) {
  // A loop on BM 50.000 of 0.8, 1.2, 0.6 and 0.4 km: fh = +18 mm, limit
  // 40 sqrt(3) = 69.3 mm. Running shares -4.8, -12, -15.6, -18 round to
  // -5, -12, -16, -18: corrections -5, -7, -4, -2.
  LevelInput in;
  in.kind = LevelKind::kClosed;
  in.startHeight = 50.000;
  in.sections = {{1.224, 0.8}, {-0.852, 1.2}, {-0.385, 0.6}, {0.031, 0.4}};
  in.limits = Grade("图根");
  const auto r = survey::ComputeLevelLine(in).value();
  EXPECT_NEAR(r.fhMm, 18.0, 1e-9);
  EXPECT_NEAR(r.limitMm, 69.282032, 1e-6);
  ExpectRows(r, {-0.005, -0.007, -0.004, -0.002}, {51.219, 50.360, 49.971, 50.000});
}

TEST(OutAndBackLevelLine, ComparesTheRunsAndCorrectsTheRunOutByHalfTheClosure) {
  // Out 1.500 + 0.750, back -0.745 - 1.499: fh = +6 mm against the one-way
  // kilometre's 40 mm. The run out takes -3 mm by its lengths (running
  // -1.5, -3: -2, -1), and its end comes out at 102.247, the mean of the
  // two runs' 102.250 and 102.244.
  LevelInput in;
  in.kind = LevelKind::kOutAndBack;
  in.startHeight = 100.000;
  in.sections = {{1.500, 0.5}, {0.750, 0.5}};
  in.back = {{-0.745, 0.5}, {-1.499, 0.5}};
  in.limits = Grade("等外");
  const auto r = survey::ComputeLevelLine(in).value();
  EXPECT_NEAR(r.fhMm, 6.0, 1e-9);
  EXPECT_NEAR(r.limitMm, 40.0, 1e-12);
  ExpectRows(r, {-0.002, -0.001}, {101.498, 102.247});
}

TEST(LevelLineErrors, NameTheFaultAndTheSection) {
  using Change = void (*)(LevelInput&);
  const struct {
    Change change;
    P problem;
    std::size_t section;
  } cases[] = {
      {[](LevelInput& in) { in.sections.resize(1); }, P::kTooFewLegs, kNone},
      {[](LevelInput& in) { in.kind = LevelKind::kOutAndBack; }, P::kTooFewLegs, kNone},
      {[](LevelInput& in) { in.endHeight.reset(); }, P::kMissingEnd, kNone},
      {[](LevelInput& in) { in.sections[2].length = 0; }, P::kBadLength, 2},
      {[](LevelInput& in) { in.sections[1].length = 4.5; }, P::kBadLength, 1},
      {[](LevelInput& in) {
         in.kind = LevelKind::kOutAndBack, in.back = {{-1, 1}, {-1, NAN}};
       },
       P::kBadLength, 5},
      {[](LevelInput& in) { in.sections[3].dh = NAN; }, P::kBadCoordinate, 3},
  };
  for (const auto& c : cases) {
    LevelInput in = WorkedLine();
    c.change(in);
    const auto result = survey::ComputeLevelLine(in);
    ASSERT_FALSE(result.ok()) << int(c.problem);
    EXPECT_EQ(result.error().problem, c.problem);
    EXPECT_EQ(result.error().index, c.section) << int(c.problem);
  }
}

}  // namespace
