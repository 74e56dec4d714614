#pragma once

// The command-line options that say how to read a coordinate file and what
// to compute from it, with one table and one set of checks for every
// command line that takes them: corvane-calc's, and the program's
// `corvane --setout FILE ...`.
//
//   --from X0,Y0 | --station X,Y     the station (--from in forward/inverse)
//   --station-point NAME             the station, by name from --control
//   --backsight X,Y                  setout: the backsight point
//   --backsight-point NAME           setout: the backsight, by name
//   --backsight-azimuth A            setout: its packed azimuth instead
//   --control FILE                   known points by name
//   --control-columns ROLES          the control file's columns (default:
//                                    those of --columns, else NAME X Y)
//   --columns ROLES                  the input's columns
//   --station-height H               setout: the station's height (else
//                                    --station-point's own)
//   --instrument-height I            setout: the instrument's height
//   --target-height T                setout: the target's height
//   --earth-curvature                setout: correct the sight for the
//                                    earth's curvature and refraction
//   --angle-format packed|dms        how angles are written
//   --decimals N, --azimuth-decimals N, --header
//   --encoding NAME                  the inputs' encoding, where they have
//                                    no byte-order mark (text_encoding.h)
//   --skip-lines N                   copy each input's first N lines
//   --decimal-mark , | .             a comma that may group thousands
//   --direction-sigma S              freestation: a reading's standard error
//   --distance-sigma A,B             freestation: a distance's, A mm + B ppm
//   --name NAME                      freestation: the station's name
//   --by-distance, --right           intersect: by distances; on the right
//
// and along a road (stake, locate, alignment; `corvane --alignment FILE`):
//
//   --alignment FILE | --elements FILE   the road: a JD table, an element table
//   --alignment-columns ROLES            the JD table's columns
//   --start-chainage K                   the JD table's BP chainage
//   --profile FILE                       stake, locate: design heights
//   --every D [--offsets O,O,...]        stake: the road's stakes
//
// A command line is read in two steps. TakeSheetOption() takes these options
// one argument at a time, checking only each value's form ("X,Y", a packed
// azimuth, 0 to 20 decimals) and that none is given twice; the caller takes
// its own options (files, --help, ...) between them. RequestOf() then checks
// them together and gives the sheet request (sheet_request.h), which
// ResolveSheet (sheet_resolver.h) resolves. Every message is one line, fit to
// follow "corvane-calc: " as a usage error.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "reader/road/road_design.h"
#include "reader/sheet/sheet_request.h"

namespace reading {

// The options as given, their values' form checked.
struct SheetOptions {
  std::optional<Point> station;
  std::string stationPoint;  // "" when not given
  std::optional<Point> backsight;
  std::string backsightPoint;
  std::optional<double> backsightAzimuth;  // packed, 0 to 360
  std::string control;                     // the control file; "" when none
  std::optional<std::string> controlColumns;
  std::optional<std::string> columns;
  int decimals = 6;
  std::optional<int> azimuthDecimals;
  AngleFormat angleFormat = AngleFormat::kPacked;
  std::optional<double> stationHeight;  // metres
  std::optional<double> instrumentHeight;
  std::optional<double> targetHeight;
  bool earthCurvature = false;
  bool header = false;
  // Along a road.
  std::string alignment;  // --alignment FILE: a JD table; "" when not given
  std::string elements;   // --elements FILE: an element table
  std::optional<std::string> alignmentColumns;
  std::optional<double> startChainage;  // metres
  std::string profile;
  std::optional<double> every;  // metres, > 0
  std::vector<double> offsets;  // metres, none 0, none twice
  InputReading input;  // --encoding, --skip-lines, --decimal-mark
  std::optional<double> directionSigma;  // seconds, above 0
  std::optional<Point> distanceSigma;    // mm and ppm (as x and y), 0 or more, not both 0
  std::string stationName;               // "" when not given
  bool byDistance = false;
  bool right = false;
  unsigned given = 0;  // which options were given (bits of the table)
};

// Where args[at] is one of the options above ("--name value" or
// "--name=value"), reads it into `options`, moves `at` to its last argument
// and returns true; `error` is set where it is bad (no value, a bad one,
// given twice). False, with nothing changed, for any other argument.
bool TakeSheetOption(std::span<const std::string> args, std::size_t& at, SheetOptions& options,
                     std::string& error);

// Takes every one of these options among `args`; every other argument is
// left to `rest`, in order (an unknown option's value too: options that take
// one are best given as "--name=value"). Returns "" or what is wrong with
// the first bad option.
std::string TakeSheetOptions(std::span<const std::string> args, SheetOptions& options,
                             std::vector<std::string>& rest);

// The request the options ask for, for rows of `mode` (intersect with
// --by-distance: kDistanceIntersect); without --control
// names are looked up in `withoutControl` (corvane-calc: nowhere, which
// makes a name an error here; the program's window: the design file's own
// names). `setupNeeded`: setout needs a station and a backsight among the
// options (the program's window asks for them where they are missing).
// Returns "" or what is wrong with the options together.
std::string RequestOf(const SheetOptions& options, Mode mode,
                      const KnownPointSource& withoutControl, SheetRequest& request,
                      bool setupNeeded = true);

// The road the options ask for (stake, locate, alignment): its file, the JD
// table's columns and start chainage, the profile. Returns "" or what is
// wrong with them together.
std::string RoadRequestOf(const SheetOptions& options, RoadRequest& request);

// The names of the options given, in the order of the table ("--from" for
// --station too).
std::vector<std::string_view> GivenOptions(const SheetOptions& options);

// The lines of --help that describe these options.
std::string_view SheetOptionsHelp();

// The lines of --help that describe the road's options.
std::string_view RoadOptionsHelp();

// The name of an option argument: "--decimals" for "--decimals=3".
std::string_view OptionName(std::string_view arg);

// The value of the option args[at] (of `name`): after "=", else the next
// argument, `at` moved onto it. False, with `error` set, when there is
// none, or when the option takes no value (`takesValue` false) and has one.
bool OptionValue(std::span<const std::string> args, std::size_t& at, std::string_view name,
                 bool takesValue, std::string& value, std::string& error);

}  // namespace reading
