// A transformation job's rows as the 坐标转换 window reads them: the same
// reader and the same answer lines as the tool, signed packed angles, the
// zone read from y, and a fit's rows rewritten to their residuals.

#include "reader/transform/transform_rows.h"

#include <gtest/gtest.h>

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
