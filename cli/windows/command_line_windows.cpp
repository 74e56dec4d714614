#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>

#include "cli/command_line.h"
#include "reader/text/wide_text.h"

namespace calc {

std::vector<std::string> ArgumentsOf(const wchar_t* line) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(line, &count);
  std::vector<std::string> utf8;
  if (arguments == nullptr) return utf8;
  for (int i = 1; i < count; ++i) utf8.push_back(reading::Utf8FromWide(arguments[i]));
  LocalFree(arguments);
  return utf8;
}

std::vector<std::string> CommandLineArguments(int, char**) {
  return ArgumentsOf(GetCommandLineW());
}

void PrepareStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace calc
