#pragma once

// The command line of corvane-calc:
//   corvane-calc forward|inverse [--from X0,Y0] [--decimals N] [-i FILE]...
//                [VALUES...]
//   corvane-calc --help | --version

#include <string>
#include <vector>

#include "cli/row_reader.h"

namespace calc {

struct Options {
  bool help = false;
  bool version = false;
  RowSettings settings;
  std::vector<std::string> values;  // one computation given on the line
  std::vector<std::string> files;   // "-" is standard input
  std::string error;                // set when the command line is bad
};

Options ParseOptions(const std::vector<std::string>& args);

// The text --help prints.
const char* UsageText();

}  // namespace calc
