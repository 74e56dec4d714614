#include "reader/text/file_open.h"

#include <fcntl.h>

namespace reading {

int OpenToRead(const std::string& path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }

}  // namespace reading
