#pragma once

// The command line of corvane-calc:
//   corvane-calc forward|inverse [--from X0,Y0] [--columns ROLES]
//                [--decimals N] [--azimuth-decimals N] [-i FILE]... [VALUES...]
//   corvane-calc setout --station X,Y --backsight X,Y|--backsight-azimuth A
//                [--columns ROLES] [...as above]
//   corvane-calc --help | --version

#include <optional>
#include <string>
#include <vector>

#include "reader/row_reader.h"

namespace calc {

struct Options {
  bool help = false;
  bool version = false;
  reading::RowSettings settings;
  std::vector<std::string> values;  // one computation given on the line
  std::vector<std::string> files;   // "-" is standard input
  std::optional<reading::Station> backsightPoint;
  std::optional<double> backsightAzimuth;  // packed
  std::optional<std::string> columns;      // the list as given
  std::string note;                        // a line for standard error before the answers
  std::string error;                       // set when the command line is bad
};

Options ParseOptions(const std::vector<std::string>& args);

// The text --help prints.
const char* UsageText();

}  // namespace calc
