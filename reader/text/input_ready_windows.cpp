// Windows has no poll() for pipes and consoles: a pipe is asked how many
// bytes wait in it, a console is taken as having none (the caller then
// reads only once every answer is written, as it does on a quiet terminal).

#include <io.h>
#include <windows.h>

#include "reader/text/input_ready.h"

namespace reading {

bool InputReady(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) return true;  // the read fails at once
  switch (GetFileType(handle)) {
    case FILE_TYPE_PIPE: {
      DWORD waiting = 0;
      // A pipe whose writer has gone ends at once.
      if (!PeekNamedPipe(handle, nullptr, 0, nullptr, &waiting, nullptr)) return true;
      return waiting > 0;
    }
    case FILE_TYPE_CHAR:
      return false;
    default:
      return true;
  }
}

}  // namespace reading
