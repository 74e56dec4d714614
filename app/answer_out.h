#pragma once

// Where corvane writes what it answers without a window (--help,
// --version): standard output. On Windows corvane.exe is a program of the
// desktop, started without a console: its answer goes to the file or pipe
// its output is sent to, as UTF-8, or else to the console it was started
// from (cmd, PowerShell), as UTF-16 so that a Chinese console shows it.

#include <string_view>

// Writes all of `text` (UTF-8); false where it cannot.
bool WriteAnswer(std::string_view text);
