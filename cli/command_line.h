#pragma once

// What the system hands corvane-calc: its arguments, and its standard
// input, output and error.

#include <string>
#include <vector>

namespace calc {

// The arguments after the program's name, in UTF-8. Linux: `argv` as the
// shell gave its bytes. Windows: the command line as UTF-16 (never through
// the ANSI code page, which loses every character outside it), turned into
// UTF-8, so that a station name typed in Chinese reaches the tool whole.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

#ifdef _WIN32
// The arguments after the program's name in the command line `line`, split
// as Windows splits it (quotes, backslashes), in UTF-8.
std::vector<std::string> ArgumentsOf(const wchar_t* line);
#endif

// Makes standard input, output and error carry bytes as they are. Windows'
// C runtime would otherwise turn "\n" into "\r\n" and stop reading at a
// Ctrl-Z byte; on Linux there is nothing to do.
void PrepareStandardStreams();

}  // namespace calc
