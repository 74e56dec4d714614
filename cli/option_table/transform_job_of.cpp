// The job the transformation options ask for, checked together.

#include "cli/option_table/sheet_options.h"
#include "cli/option_table/transform_options.h"

namespace reading {
namespace {

// The projection of project (and rezone's `from` side) as the options give it.
survey::ProjectionSetup SetupOf(const TransformOptions& options) {
  survey::ProjectionSetup setup;
  setup.ellipsoid = options.ellipsoid.value_or(survey::Ellipsoid::kCgcs2000);
  setup.zoneWidth = options.zoneWidth.value_or(3);
  setup.falseEasting = options.falseEasting.value_or(survey::kFalseEasting);
  setup.zonePrefix = options.zonePrefix;
  setup.heightSurface = options.heightSurface.value_or(0.0);
  setup.scale = options.scale.value_or(1.0);
  return setup;
}

std::string GridJobOf(const TransformOptions& options, TransformJob& job) {
  if (!options.origin) return "grid needs --origin X0,Y0";
  if (options.azimuth && options.axisPoint) return "give --azimuth or --axis-point, not both";
  if (!options.azimuth && !options.axisPoint) {
    return "grid needs --azimuth A (of its A axis) or --axis-point X,Y (a point of the A axis)";
  }
  job.mode = options.inverse ? Mode::kGridInverse : Mode::kGrid;
  job.grid.origin = {options.origin->x, options.origin->y};
  job.grid.azimuth = options.azimuth;
  if (options.axisPoint) job.grid.axisPoint = survey::PlaneXY{options.axisPoint->x, options.axisPoint->y};
  return {};
}

std::string FourParamJobOf(const TransformOptions& options, TransformJob& job) {
  if (options.apply) {
    if (options.limitMm) return "--limit is for a fit: give no --apply";
    if (!options.leaveOut.empty()) return "--leave-out is for a fit: give no --apply";
    job.mode = options.inverse ? Mode::kFourParamInverse : Mode::kFourParam;
    job.parameters = *options.apply;
    return {};
  }
  if (options.inverse) return "--inverse is for --apply: a fit reads x y X Y";
  job.mode = Mode::kFourParamFit;
  job.fit.limitMm = options.limitMm.value_or(survey::kDefaultResidualLimitMm);
  job.fit.leaveOut = options.leaveOut;
  return {};
}

std::string ProjectJobOf(const TransformOptions& options, TransformJob& job) {
  if (options.zone && options.centralMeridian) {
    return "give --zone or --central-meridian, not both";
  }
  job.mode = options.inverse ? Mode::kProjectInverse : Mode::kProject;
  job.projection = SetupOf(options);
  job.projection.zone = options.zone;
  job.projection.centralMeridian = options.centralMeridian;
  job.degrees = options.degrees;
  return {};
}

std::string RezoneJobOf(const TransformOptions& options, TransformJob& job) {
  if (options.fromZone && options.fromMeridian) return "give --from-zone or --from-meridian, not both";
  if (options.toZone && options.toMeridian) return "give --to-zone or --to-meridian, not both";
  if (!options.fromZone && !options.fromMeridian) {
    return "rezone needs the zone the points are in: --from-zone N or --from-meridian L0";
  }
  if (!options.toZone && !options.toMeridian) {
    return "rezone needs the zone they go to: --to-zone M or --to-meridian L0";
  }
  job.mode = Mode::kRezone;
  job.projection = SetupOf(options);
  // The points' y is read with its zone number or without, as it comes; the
  // answers carry one where --zone-prefix asks.
  job.projection.zonePrefix = false;
  job.projection.zone = options.fromZone;
  job.projection.centralMeridian = options.fromMeridian;
  job.to = SetupOf(options);
  job.to.zoneWidth = options.toZoneWidth.value_or(job.projection.zoneWidth);
  job.to.zone = options.toZone;
  job.to.centralMeridian = options.toMeridian;
  return {};
}

}  // namespace

std::string TransformJobOf(const TransformOptions& options, const SheetOptions& sheet, Mode mode,
                           TransformJob& job) {
  job = TransformJob();
  if (std::string problem = OptionNotForWord(options, mode); !problem.empty()) return problem;
  job.decimals = sheet.decimals;
  job.azimuthDecimals = sheet.azimuthDecimals;
  job.angleFormat = sheet.angleFormat;
  job.decimalMark = sheet.input.decimalMark;
  switch (mode) {
    case Mode::kGrid: return GridJobOf(options, job);
    case Mode::kFourParamFit: return FourParamJobOf(options, job);
    case Mode::kProject: return ProjectJobOf(options, job);
    case Mode::kRezone: return RezoneJobOf(options, job);
    default: return "no transformation";
  }
}

std::string_view TransformOptionsHelp() {
  return "Coordinate transformations:\n"
         "  --origin X0,Y0 grid: the construction grid's origin, survey X Y\n"
         "  --azimuth A    grid: the azimuth of its A axis (packed)\n"
         "  --axis-point X,Y\n"
         "                 grid: or a point of its A axis (the azimuth is the one\n"
         "                 from the origin to it)\n"
         "  --inverse      grid: X Y -> A B; fourparam --apply: X Y -> x y;\n"
         "                 project: X Y -> B L\n"
         "  --apply DX,DY,THETA,M\n"
         "                 fourparam: apply these parameters (THETA packed,\n"
         "                 clockwise; M the scale itself) instead of a fit\n"
         "  --limit MM     fourparam: mark residuals over MM (default 20)\n"
         "  --leave-out NAME[,NAME...]\n"
         "                 fourparam: common points left out of the fit\n"
         "  --zone N       project: the zone (default: each point's own)\n"
         "  --central-meridian L0\n"
         "                 project: or the central meridian (packed)\n"
         "  --zone-width 3|6\n"
         "                 project, rezone: the zones' width (default 3)\n"
         "  --ellipsoid cgcs2000|wgs84|xian80|beijing54\n"
         "                 project, rezone: the ellipsoid (default cgcs2000)\n"
         "  --false-easting E\n"
         "                 project, rezone: added to y (default 500000)\n"
         "  --zone-prefix  project, rezone: y written with the zone number in front\n"
         "  --height-surface H\n"
         "                 project, rezone: the projection height surface, metres\n"
         "  --scale K0     project, rezone: the scale on the central meridian (1)\n"
         "  --degrees      project: B and L in decimal degrees, in and out\n"
         "  --from-zone N, --from-meridian L0\n"
         "                 rezone: the zone the points are in\n"
         "  --to-zone M, --to-meridian L0\n"
         "                 rezone: the zone they go to\n"
         "  --to-zone-width 3|6\n"
         "                 rezone: the width of the zone they go to (default:\n"
         "                 --zone-width)\n";
}

}  // namespace reading
