#pragma once

// Text written to a console. On Windows a console shows UTF-16 (a Chinese
// console's code page is 936, under which UTF-8 bytes show as other
// characters), so what goes to one is written as UTF-16; what goes to a
// file or a pipe stays UTF-8, as on Linux. Linux has no such consoles.

#include <string_view>

namespace calc {

// Whether `fd` is a Windows console; false on Linux.
bool IsConsole(int fd);

// Writes the UTF-8 `text` to the console `fd` as UTF-16; returns 0 or the
// errno of the failure.
int WriteConsoleText(int fd, std::string_view text);

}  // namespace calc
