#include "reader/text/file_open.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace reading {

int OpenToRead(const std::string& path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }

std::uint64_t OpenFileSize(int fd) {
  struct stat status {};
  return fstat(fd, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

FileFacts FactsOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {};
  return {true, S_ISREG(status.st_mode), static_cast<std::int64_t>(status.st_size),
          static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000 +
              status.st_mtim.tv_nsec / 1000000};
}

}  // namespace reading
