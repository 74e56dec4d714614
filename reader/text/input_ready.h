#pragma once

// Whether a read of the file descriptor `fd` would return at once: with
// data, at its end or with an error. A file on disk always would; a pipe or
// a terminal only once something has arrived.
namespace reading {

bool InputReady(int fd);

}  // namespace reading
