#pragma once

// Opens a file by its name for reading its bytes as they are; returns the
// file descriptor, or -1 with errno saying why. `path` is the name as the
// command line or a window gave it: on Linux its bytes as the file system
// holds them, on Windows UTF-8, opened by its UTF-16 name (never through the
// ANSI code page, which loses every character outside it: 工程 under a
// Western code page).

#include <cstdint>
#include <string>

namespace reading {

int OpenToRead(const std::string& path);

// The size in bytes of the file open as `fd`; 0 where it has none (a pipe).
std::uint64_t OpenFileSize(int fd);

// What the file system says of the file named `path` (named as for
// OpenToRead): whether it is there, whether it is a file (not a folder),
// its size in bytes and when it was last written, in milliseconds since
// 1970 (-1 where it is not there).
struct FileFacts {
  bool exists = false;
  bool regular = false;
  std::int64_t size = -1;
  std::int64_t modifiedMs = -1;
};
FileFacts FactsOf(const std::string& path);

}  // namespace reading
