#include "reader/transform/transform_rows.h"

#include <algorithm>

#include "core/transform/construction_grid.h"
#include "core/transform/four_parameters.h"
#include "reader/fields/number_text.h"
#include "reader/rows/mode_rule.h"
#include "reader/transform/row_jobs.h"
#include "reader/transform/signed_angle.h"

namespace reading {
namespace {

const char* EllipsoidName(survey::Ellipsoid ellipsoid) {
  switch (ellipsoid) {
    case survey::Ellipsoid::kCgcs2000: return "CGCS2000";
    case survey::Ellipsoid::kWgs84: return "WGS84";
    case survey::Ellipsoid::kXian80: return "Xian80";
    case survey::Ellipsoid::kBeijing54: return "Beijing54";
  }
  return "";
}

// "CGCS2000 3° zone 38, central meridian 114.0000, false easting 500000.000"
// and the height surface, scale and zone number in front where set.
std::string ProjectionText(const survey::GaussKruger& projection, const RowSettings& settings) {
  const survey::ProjectionSetup& setup = projection.setup();
  std::string text = EllipsoidName(setup.ellipsoid);
  text += " " + std::to_string(setup.zoneWidth) + "° zone";
  if (setup.zone) {
    text += " " + std::to_string(*setup.zone);
  } else if (!setup.centralMeridian) {
    text += " of each point's longitude";
  }
  if (setup.centralMeridian) {
    text += ", central meridian ";
    AppendAngle(text, DegreesToSignedPacked(*setup.centralMeridian), settings.angleFormat,
                settings.azimuthDecimals.value_or(settings.decimals));
  }
  text += ", false easting ";
  AppendFixed(text, setup.falseEasting, settings.decimals);
  if (setup.zonePrefix) text += ", zone number in front of y";
  if (setup.heightSurface != 0.0) {
    text += ", height surface ";
    AppendFixed(text, setup.heightSurface, settings.decimals);
  }
  if (setup.scale != 1.0) {
    text += ", scale ";
    AppendFixed(text, setup.scale, settings.decimals + 6);
  }
  return text;
}

void AppendParameters(const survey::FourParameters& p, const RowSettings& settings,
                      char separator, std::string& out) {
  const int angleDecimals = settings.azimuthDecimals.value_or(settings.decimals);
  AppendFixed(out, p.dx(), settings.decimals);
  out += separator;
  AppendFixed(out, p.dy(), settings.decimals);
  out += separator;
  AppendAngle(out, DegreesToSignedPacked(p.rotationDegrees()), settings.angleFormat,
              angleDecimals);
  out += separator;
  AppendFixed(out, p.scale(), std::min(settings.decimals + 6, kMaxDecimals));
}

// The job's own settings and rows' computation, and its --header comment.
survey::TransformOutcome<std::shared_ptr<const RowTransform>> JobRows(
    const TransformJob& job, const RowSettings& settings, std::string& comment,
    std::string& azimuth) {
  const int angleDecimals = settings.azimuthDecimals.value_or(settings.decimals);
  switch (job.mode) {
    case Mode::kGrid:
    case Mode::kGridInverse: {
      const auto grid =
          job.grid.axisPoint
              ? survey::ConstructionGrid::FromAxis(job.grid.origin, *job.grid.axisPoint)
              : survey::ConstructionGrid::Make(job.grid.origin, job.grid.azimuth.value_or(0.0));
      if (!grid.ok()) return grid.error();
      std::string found;
      AppendAngle(found, DegreesToSignedPacked(grid.value().azimuthDegrees()),
                  settings.angleFormat, angleDecimals);
      if (job.grid.axisPoint) azimuth = found;
      comment = "# grid origin X ";
      AppendFixed(comment, job.grid.origin.x, settings.decimals);
      comment += " Y ";
      AppendFixed(comment, job.grid.origin.y, settings.decimals);
      comment += " / azimuth " + found;
      const auto p = survey::FourParameters::Make(job.grid.origin.x, job.grid.origin.y,
                                                  grid.value().azimuthDegrees(), 1.0);
      if (!p.ok()) return p.error();
      return MakePlaneRows(p.value(), job.mode == Mode::kGridInverse);
    }
    case Mode::kFourParam:
    case Mode::kFourParamInverse: {
      const FourParameterJob& given = job.parameters;
      const auto p = survey::FourParameters::Make(given.dx, given.dy, given.theta, given.m);
      if (!p.ok()) return p.error();
      comment = "# four parameters DX DY THETA M ";
      AppendParameters(p.value(), settings, ' ', comment);
      return MakePlaneRows(p.value(), job.mode == Mode::kFourParamInverse);
    }
    case Mode::kFourParamFit: {
      comment = "# four parameters from common points / limit ";
      AppendFixed(comment, job.fit.limitMm, 1);
      comment += " mm";
      for (std::size_t i = 0; i < job.fit.leaveOut.size(); ++i) {
        comment += (i == 0 ? " / left out " : ", ") + job.fit.leaveOut[i];
      }
      if (!(job.fit.limitMm > 0.0)) {
        return survey::TransformError{.problem = survey::TransformProblem::kBadLimit,
                                      .value = job.fit.limitMm};
      }
      return MakeCommonPointRows();
    }
    case Mode::kProject: {
      const auto projection = survey::GaussKruger::Make(job.projection);
      if (!projection.ok()) return projection.error();
      comment = "# project " + ProjectionText(projection.value(), settings);
      return MakeProjectRows(projection.value(), job.degrees);
    }
    case Mode::kProjectInverse:
    case Mode::kRezone: {
      const auto from = survey::GaussKruger::Make(job.projection);
      if (!from.ok()) return from.error();
      survey::ProjectionSetup withPrefix = job.projection;
      withPrefix.zonePrefix = true;
      const auto prefixed = survey::GaussKruger::Make(withPrefix);
      std::optional<survey::GaussKruger> readsPrefix;
      if (!job.projection.zonePrefix && prefixed.ok()) readsPrefix = prefixed.value();
      std::optional<survey::GaussKruger> to;
      if (job.mode == Mode::kRezone) {
        const auto made = survey::GaussKruger::Make(job.to);
        if (!made.ok()) return made.error();
        to = made.value();
        comment = "# rezone from " + ProjectionText(from.value(), settings) + " / to " +
                  ProjectionText(*to, settings);
      } else {
        comment = "# project inverse " + ProjectionText(from.value(), settings);
      }
      return MakeInverseRows(from.value(), readsPrefix, to, job.degrees);
    }
    default:
      break;
  }
  return survey::TransformError{.problem = survey::TransformProblem::kNoZone};
}

}  // namespace

survey::TransformOutcome<TransformRows> MakeTransformRows(const TransformJob& job) {
  RowSettings settings;
  settings.mode = job.mode;
  settings.decimals = job.decimals;
  settings.azimuthDecimals = job.azimuthDecimals;
  settings.angleFormat = job.angleFormat;
  settings.degrees = job.degrees;
  settings.decimalMark = job.decimalMark;
  std::string comment;
  std::string azimuth;
  const auto rows = JobRows(job, settings, comment, azimuth);
  if (!rows.ok()) return rows.error();
  settings.transform = rows.value();
  TransformRows made(settings);
  made.fit_ = job.fit;
  made.comment_ = std::move(comment);
  made.gridAzimuth_ = std::move(azimuth);
  return made;
}

void TransformRows::AppendParamsLine(const FitAnswer& fit, char separator,
                                     std::string& out) const {
  if (!fit.fit) {
    out += kErrorPrefix;
    out += fit.why;
    return;
  }
  out += "PARAMS";
  out += separator;
  AppendParameters(fit.fit->parameters, settings(), separator, out);
  out += separator;
  if (fit.fit->sigma0Mm) {
    AppendFixed(out, *fit.fit->sigma0Mm, std::max(settings().decimals - 3, 0));
  } else {
    out += '-';
  }
}

}  // namespace reading
