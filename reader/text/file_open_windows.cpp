// Binary mode: the C runtime's text mode would turn "\r\n" into "\n" and end
// the file at its first Ctrl-Z byte, and the reader sees the bytes as Linux
// does.

#include <fcntl.h>
#include <io.h>

#include "reader/text/file_open.h"
#include "reader/text/wide_text.h"

namespace reading {

int OpenToRead(const std::string& path) {
  return _wopen(WideFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

}  // namespace reading
