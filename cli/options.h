#pragma once

// The command line of corvane-calc:
//   corvane-calc forward|inverse [SHEET OPTIONS] [-i FILE]... [VALUES...]
//   corvane-calc setout (--station X,Y | --station-point NAME)
//                (--backsight X,Y | --backsight-point NAME
//                 | --backsight-azimuth A) [SHEET OPTIONS] [-i FILE]...
//                [VALUES...]
//   corvane-calc stake|locate (--alignment FILE | --elements FILE)
//                [--profile FILE] [SHEET OPTIONS] [-i FILE]... [VALUES...]
//   corvane-calc stake (...) --every D [--offsets O,O,...]
//   corvane-calc alignment (--alignment FILE | --elements FILE)
//                [--start-chainage K] [--header]
//   corvane-calc grid|fourparam|project|rezone [TRANSFORM OPTIONS]
//                [SHEET OPTIONS] [-i FILE]... [VALUES...]
//   corvane-calc --help | --version
// The sheet options, their checks and what they resolve to are the reader
// library's (reader/sheet_options.h, reader/sheet_resolver.h), shared with
// the program's command line; this reads the mode, the files, the values,
// --help and --version.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "reader/road/stake_list.h"
#include "reader/sheet/sheet_resolver.h"
#include "reader/transform/transform_rows.h"

namespace calc {

struct Options {
  bool help = false;
  bool version = false;
  reading::Sheet sheet;
  bool header = false;                      // --header
  std::vector<std::string> values;          // one computation given on the line
  std::vector<std::string> files;           // "-" is standard input
  std::optional<reading::StakeRange> every;  // stake --every: the road's stakes, no rows
  std::shared_ptr<const reading::RoadRows> road;  // stake, locate, alignment: the road
  // grid, fourparam, project, rezone: the job's rows (sheet.settings are theirs)
  std::shared_ptr<const reading::TransformRows> transform;
  std::string error;                        // set when the command line is bad
};

Options ParseOptions(const std::vector<std::string>& args);

// The text --help prints.
std::string UsageText();

}  // namespace calc
