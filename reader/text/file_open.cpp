#include "reader/text/file_open.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace reading {

int OpenToRead(const std::string& path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }

std::uint64_t OpenFileSize(int fd) {
  struct stat status {};
  return fstat(fd, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

}  // namespace reading
