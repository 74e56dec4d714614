// Binary mode: the C runtime's text mode would turn "\r\n" into "\n" and end
// the file at its first Ctrl-Z byte, and the reader sees the bytes as Linux
// does. Sizes are asked for in 64 bits: stat's st_size is 32 on Windows.

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "reader/text/file_open.h"
#include "reader/text/wide_text.h"

namespace reading {

int OpenToRead(const std::string& path) {
  return _wopen(WideFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

std::uint64_t OpenFileSize(int fd) {
  struct _stat64 status {};
  return _fstat64(fd, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

FileFacts FactsOf(const std::string& path) {
  struct _stat64 status {};
  if (_wstat64(WideFromUtf8(path).c_str(), &status) != 0) return {};
  return {true, (status.st_mode & _S_IFMT) == _S_IFREG, static_cast<std::int64_t>(status.st_size),
          static_cast<std::int64_t>(status.st_mtime) * 1000};
}

}  // namespace reading
