#pragma once

// The command-line options of the coordinate transformations, in a table of
// their own beside the sheet options' (sheet_options.h), and the job they
// ask for (reader/transform/transform_job.h):
//
//   grid      --origin X0,Y0 (--azimuth A | --axis-point X,Y) [--inverse]
//   fourparam [--limit MM] [--leave-out NAME[,NAME...]]
//   fourparam --apply DX,DY,THETA,M [--inverse]
//   project   (--zone N | --central-meridian L0) [--zone-width 3|6]
//             [--inverse] [--ellipsoid E] [--false-easting E] [--zone-prefix]
//             [--height-surface H] [--scale K0] [--degrees]
//   rezone    (--from-zone N | --from-meridian L0) (--to-zone M | --to-meridian L0)
//             [--zone-width 3|6] [--to-zone-width 3|6] and project's
//             --ellipsoid, --false-easting, --zone-prefix (of the answers),
//             --height-surface, --scale
//
// Angles are packed DMS, any sign (signed_angle.h). A project forward without
// a zone or a central meridian takes each point's zone from its longitude.
// Every message is one line, fit to follow "corvane-calc: ".

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/transform/ellipsoid.h"
#include "reader/rows/row_settings.h"
#include "reader/transform/transform_job.h"

namespace reading {

struct SheetOptions;

// The options as given, their values' form checked; angles in degrees.
struct TransformOptions {
  std::optional<Point> origin;
  std::optional<double> azimuth;
  std::optional<Point> axisPoint;
  bool inverse = false;
  std::optional<FourParameterJob> apply;
  std::optional<double> limitMm;
  std::vector<std::string> leaveOut;
  std::optional<int> zone;
  std::optional<int> zoneWidth;
  std::optional<double> centralMeridian;
  std::optional<survey::Ellipsoid> ellipsoid;
  std::optional<double> falseEasting;
  bool zonePrefix = false;
  std::optional<double> heightSurface;
  std::optional<double> scale;
  bool degrees = false;
  std::optional<int> fromZone;
  std::optional<int> toZone;
  std::optional<double> fromMeridian;
  std::optional<double> toMeridian;
  std::optional<int> toZoneWidth;
  unsigned given = 0;  // which options were given (bits of the table)
};

// Where args[at] is one of the options above, reads it into `options`,
// moves `at` to its last argument and returns true; `error` is set where
// it is bad. False, with nothing changed, for any other argument.
bool TakeTransformOption(std::span<const std::string> args, std::size_t& at,
                         TransformOptions& options, std::string& error);

// The first option given that the mode word (kGrid, kFourParamFit,
// kProject, kRezone) does not take: "--zone is for project"; "" else. A
// mode that is no transformation's takes none.
std::string OptionNotForWord(const TransformOptions& options, Mode mode);

// The job the options ask for, with `mode` the mode word's (kGrid,
// kFourParamFit, kProject or kRezone) and the sheet options' decimals, angle
// format and decimal mark. Returns "" or what is wrong with them together:
// a job without what it needs is refused, never run as another.
std::string TransformJobOf(const TransformOptions& options, const SheetOptions& sheet, Mode mode,
                           TransformJob& job);

// The lines of --help that describe these options.
std::string_view TransformOptionsHelp();

}  // namespace reading
