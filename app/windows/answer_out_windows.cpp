#include <windows.h>

#include <algorithm>
#include <string>

#include "app/answer_out.h"
#include "reader/text/wide_text.h"

namespace {

// Standard output where it goes somewhere; else the console of the program
// that started this one, where there is one.
HANDLE Output() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) return out;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return INVALID_HANDLE_VALUE;
  return CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

bool WriteToConsole(HANDLE console, std::string_view text) {
  const std::wstring utf16 = reading::WideFromUtf8(text);
  std::wstring_view left = utf16;
  while (!left.empty()) {
    DWORD written = 0;
    const auto part = static_cast<DWORD>(std::min<std::size_t>(left.size(), 8192));
    if (!WriteConsoleW(console, left.data(), part, &written, nullptr) || written == 0) return false;
    left.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool WriteAnswer(std::string_view text) {
  const HANDLE out = Output();
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  if (GetConsoleMode(out, &mode)) return WriteToConsole(out, text);
  while (!text.empty()) {
    DWORD written = 0;
    const auto part = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1 << 20));
    if (!WriteFile(out, text.data(), part, &written, nullptr) || written == 0) return false;
    text.remove_prefix(written);
  }
  return true;
}
