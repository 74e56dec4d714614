// A transformation job's rows as the 坐标转换 window reads them: the same
// reader and the same answer lines as the tool, signed packed angles, the
// zone read from y, and a fit's rows rewritten to their residuals.

#include "reader/transform/transform_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "reader/transform/signed_angle.h"

namespace reading {
namespace {

TEST(SignedAngle, ConvertsWithItsSignAndRefusesSixtyInEitherPlace) {
  EXPECT_EQ(SignedPackedToDegrees(-30.3), -30.5);
  EXPECT_EQ(SignedPackedToDegrees(-0.0001), -1.0 / 3600.0);
  EXPECT_EQ(DegreesToSignedPacked(-30.5), -30.3);
  EXPECT_EQ(FindSignedAngleFault(30.5960), SignedAngleFault::kSeconds);
  EXPECT_EQ(FindSignedAngleFault(-30.5960), SignedAngleFault::kSeconds);
  EXPECT_EQ(FindSignedAngleFault(30.6), SignedAngleFault::kMinutes);
  EXPECT_EQ(FindSignedAngleFault(30.595999), SignedAngleFault::kNone);
  EXPECT_EQ(FindSignedAngleFault(0.0001244048), SignedAngleFault::kNone);
  double degrees = 0.0;
  EXPECT_EQ(ReadSignedPacked("-117", "--central-meridian", degrees), "");
  EXPECT_EQ(degrees, -117.0);
  EXPECT_EQ(ReadSignedPacked("1.2.3", "--azimuth", degrees),
            "--azimuth needs a packed angle (30.3 is 30°30′): 1.2.3");
}

TransformRows Made(const TransformJob& job) {
  const auto made = MakeTransformRows(job);
  EXPECT_TRUE(made.ok());
  return made.value();
}

std::string Answer(const TransformRows& rows, std::string_view line) {
  LineAnswer answer;
  rows.reader().Read(line, answer);
  std::string text;
  rows.reader().AppendLine(answer, text);
  return text;
}

TEST(TransformRows, AnswerRowsInTheirOwnSeparatorAsTheToolDoes) {
  TransformJob job;
  job.mode = Mode::kProject;
  job.decimals = 4;
  job.projection.zone = 38;
  const TransformRows rows = Made(job);
  EXPECT_EQ(Answer(rows, "P1,30.3,114.2"), "P1,3375588.9766,531999.7306,0.10090512,1.0000126268");
  EXPECT_EQ(Answer(rows, "\"P 1\";30,3;114,2"),
            "P 1;3375588.9766;531999.7306;0.10090512;1.0000126268");
  EXPECT_EQ(Answer(rows, "# copied"), "# copied");
  EXPECT_EQ(rows.comment(), "# project CGCS2000 3° zone 38, false easting 500000.0000");

  job.mode = Mode::kProjectInverse;
  const TransformRows inverse = Made(job);
  // The zone number in front of y is read, and must be the zone's.
  EXPECT_EQ(Answer(inverse, "3375588.9766 38531999.7306"), "30.30000000 114.20000000");
  EXPECT_EQ(Answer(inverse, "3375588.9766 39531999.7306"),
            "ERROR: y carries zone number 39, not the zone given");

  // Each fault also as a value, for the window's own words.
  LineAnswer beyond;
  rows.reader().Read("P 91 114", beyond);
  EXPECT_EQ(beyond.error.kind, RowError::Kind::kTransform);
  EXPECT_EQ(beyond.error.transformProblem, survey::TransformProblem::kLatitudeBeyondPole);
  EXPECT_EQ(beyond.error.transformValue, 91.0);
  LineAnswer sixty;
  rows.reader().Read("P 30 114.5960", sixty);
  EXPECT_EQ(sixty.error.kind, RowError::Kind::kSeconds);
  EXPECT_EQ(sixty.error.field, "L");
}

TEST(TransformRows, RefuseAJobTheyCannotDo) {
  TransformJob job;
  job.mode = Mode::kGrid;
  job.grid.axisPoint = survey::PlaneXY{0.0, 0.0};
  const auto atOrigin = MakeTransformRows(job);
  ASSERT_FALSE(atOrigin.ok());
  EXPECT_EQ(TransformErrorText(atOrigin.error()), "the axis point is the origin");
  job.mode = Mode::kFourParamFit;
  job.fit.limitMm = 0.0;
  EXPECT_FALSE(MakeTransformRows(job).ok());
}

TEST(TransformRows, AFitRewritesEachCommonPointToItsResiduals) {
  TransformJob job;
  job.mode = Mode::kFourParamFit;
  job.decimals = 4;
  job.fit.limitMm = 3.0;
  const TransformRows rows = Made(job);
  std::vector<LineAnswer> answers(4);
  const char* lines[] = {"A 0 0 100 200", "B 100 0 200 200", "bad row", "C 0 100 100 300.01"};
  for (std::size_t i = 0; i < answers.size(); ++i) rows.reader().Read(lines[i], answers[i]);
  const FitAnswer fit = rows.Fit(answers);
  ASSERT_TRUE(fit.fit);
  ASSERT_TRUE(fit.fit->sigma0Mm);
  EXPECT_NEAR(*fit.fit->sigma0Mm, 3.5355339, 1e-6);
  std::string text;
  rows.AppendParamsLine(fit, ',', text);
  EXPECT_EQ(text, "PARAMS,99.9975,200.0025,-0.0005,1.0000500003,3.5");
  std::vector<std::string> shown;
  for (const LineAnswer& answer : answers) {
    shown.emplace_back();
    rows.AppendFitLine(answer, shown.back());
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"A -2.5 2.5 over", "B 2.5 0.0",
                                             "ERROR: x is not a number: \"bad\"", "C 0.0 -2.5"}));
}

}  // namespace
}  // namespace reading

namespace reading {
namespace {

// Random points over 3° zone 38 (18° to 54° N), projected and back through the rows' own numbers: to 1e-9° (0.1 mm) in
// the packed text's digits, either sign of the convergence.
TEST(TransformRows, ProjectionAndZoneChangeGoThereAndBackOnRandomPoints) {
  TransformJob job;
  job.mode = Mode::kProject;
  job.decimals = 10;
  job.azimuthDecimals = 12;
  job.degrees = true;
  job.projection.zone = 38;
  const TransformRows forward = Made(job);
  job.mode = Mode::kProjectInverse;
  const TransformRows inverse = Made(job);
  job.mode = Mode::kRezone;
  job.to.zone = 39;
  const TransformRows there = Made(job);
  std::swap(job.projection, job.to);
  const TransformRows back = Made(job);
  std::uint64_t state = 38;
  const auto next = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return static_cast<double>(state >> 11) / 9007199254740992.0;
  };
  for (int i = 0; i < 2000; ++i) {
    const double b = 18 + 36 * next();
    const double l = 112.5 + 3 * next();
    const std::string row = std::to_string(b) + " " + std::to_string(l);
    LineAnswer projected;
    forward.reader().Read(row, projected);
    ASSERT_EQ(projected.kind, LineAnswer::Kind::kAnswer) << row;
    const double x = projected.results[0];
    const double y = projected.results[1];
    EXPECT_EQ(projected.results[2] < 0, l < 114) << row;
    LineAnswer geographic;
    // X and Y as the answer line writes them.
    const std::string line = Answer(forward, row);
    const std::string xy = line.substr(0, line.find(' ', line.find(' ') + 1));
    inverse.reader().Read(xy, geographic);
    ASSERT_EQ(geographic.kind, LineAnswer::Kind::kAnswer) << xy;
    EXPECT_NEAR(geographic.results[0], std::stod(std::to_string(b)), 1e-9) << row;
    EXPECT_NEAR(geographic.results[1], std::stod(std::to_string(l)), 1e-9) << row;
    LineAnswer moved, returned;
    there.reader().Read(xy, moved);
    ASSERT_EQ(moved.kind, LineAnswer::Kind::kAnswer) << row;
    back.reader().Read(std::to_string(moved.results[0]) + " " + std::to_string(moved.results[1]),
                       returned);
    EXPECT_NEAR(returned.results[0], x, 1e-4) << row;
    EXPECT_NEAR(returned.results[1], y, 1e-4) << row;
  }
}

// Noise-free common points turned by -30′ (anticlockwise), scaled and
// shifted give those parameters back in the PARAMS line.
TEST(TransformRows, NoiseFreeCommonPointsGiveTheirParametersBack) {
  TransformJob job;
  job.mode = Mode::kFourParam;
  job.decimals = 6;
  job.parameters = {1000.0, -2000.0, -0.5, 1.000012};
  const TransformRows apply = Made(job);
  // The targets are written to the micrometre: the fit at 0.1 mm.
  job.mode = Mode::kFourParamFit;
  job.decimals = 4;
  const TransformRows fit = Made(job);
  std::vector<LineAnswer> rows(4);
  const char* sources[] = {"100 200", "5100 300", "4200 6100", "-300 4800"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string target = Answer(apply, sources[i]);
    fit.reader().Read(std::string("P") + std::to_string(i) + " " + sources[i] + " " + target,
                      rows[i]);
  }
  const FitAnswer answer = fit.Fit(rows);
  std::string text;
  fit.AppendParamsLine(answer, ' ', text);
  EXPECT_EQ(text, "PARAMS 1000.0000 -2000.0000 -0.3000 1.0000120000 0.0");
}

}  // namespace
}  // namespace reading
