#include "cli/command_line.h"

namespace calc {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareStandardStreams() {}

}  // namespace calc
