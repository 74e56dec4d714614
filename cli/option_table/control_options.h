#pragma once

// The options of corvane-calc traverse and level, in a table of their own
// beside the sheet options (sheet_options.h), and the job they ask for:
//
//   --start NAME           the known point (benchmark) the line starts on
//   --backsight NAME       traverse: the known point behind the start
//   --start-azimuth A      traverse: the azimuth into the start instead
//   --end NAME             the known point (benchmark) the line ends on
//   --foresight NAME       traverse: the known point ahead of the end
//   --end-azimuth A        traverse: the azimuth out of the end instead
//   --closed               a loop back to the start
//   --out-and-back NAME    level: out to NAME and back to the start
//   --right-angles         traverse: the angles are right of the way
//   --by-stations          level: LENGTH counts stations, not km
//   --grade G              the limits' grade: 图根 三级 二级 一级 (traverse,
//                          default 图根), 等外 图根 四等 三等 (level, default 等外)
//   --angle-limit K --relative-limit N   traverse: typed limits k"√n, 1/N
//   --limit K              level: a typed limit, k mm √L (or √n)
//   --rigorous             traverse: least squares, with standard errors
//   --points               only the new points: NAME X Y, or NAME H
//
// and of the sheet options --control, --control-columns (traverse),
// --angle-format, --azimuth-decimals, --encoding, --skip-lines and
// --decimal-mark. The mode word comes first where an option is both a
// sheet option and a control line's (--backsight): after it, it is the
// traverse's.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/option_table/sheet_options.h"
#include "reader/control/control_line.h"
#include "reader/control/control_text.h"

namespace reading {

// The options as given, their values' form checked.
struct ControlOptions {
  std::string start;
  std::string backsight;
  std::optional<double> startAzimuth;  // packed
  std::string end;
  std::string foresight;
  std::optional<double> endAzimuth;
  bool closed = false;
  std::string turn;
  bool rightAngles = false;
  bool byStations = false;
  std::string grade;
  std::optional<double> angleLimit;
  std::optional<double> relativeLimit;
  std::optional<double> limit;
  bool rigorous = false;
  bool points = false;
  unsigned given = 0;  // which options were given (bits of the table)
};

// What corvane-calc traverse or level is to do.
struct ControlJob {
  Mode mode = Mode::kTraverse;
  TraverseRequest traverse;
  LevelRequest level;
  bool rigorous = false;
  bool points = false;
  ControlFormat format;
  std::string control;          // the control file
  std::vector<Column> columns;  // traverse: how it is read (empty: NAME X Y)
  InputReading input;           // how the rows (and the control file) are read
};

// Where args[at] is one of the options above for `mode` (kTraverse or
// kLevel; none, before the mode word: any but --backsight, which is then
// the sheet's), reads it, moves `at` to its last argument and returns
// true; `error` is set where it is bad. False for any other argument.
bool TakeControlOption(std::span<const std::string> args, std::size_t& at,
                       std::optional<Mode> mode, ControlOptions& options, std::string& error);

// The job the options ask for, checked together with the sheet options
// given; "" or what is wrong. `mode`: kTraverse or kLevel; any other mode
// with control options given is an error.
std::string ControlJobOf(const ControlOptions& options, const SheetOptions& sheet, Mode mode,
                         ControlJob& job);

// The lines of --help that describe these options.
std::string_view ControlOptionsHelp();

}  // namespace reading
