#include <io.h>
#include <windows.h>

#include <cerrno>

#include "cli/console_text.h"
#include "reader/text/wide_text.h"

namespace calc {
namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

bool IsConsole(int fd) {
  DWORD mode = 0;
  return GetConsoleMode(HandleOf(fd), &mode) != 0;
}

int WriteConsoleText(int fd, std::string_view text) {
  const std::wstring utf16 = reading::WideFromUtf8(text);
  std::wstring_view left = utf16;
  while (!left.empty()) {
    DWORD written = 0;
    // Consoles take at most some thousands of characters a call.
    const auto part = static_cast<DWORD>(std::min<std::size_t>(left.size(), 8192));
    if (!WriteConsoleW(HandleOf(fd), left.data(), part, &written, nullptr) || written == 0) {
      return EIO;
    }
    left.remove_prefix(written);
  }
  return 0;
}

}  // namespace calc
