#pragma once

// UTF-8, the program's text, to and from UTF-16, Windows' text (file names,
// the command line, the console). Windows only.

#include <string>
#include <string_view>

namespace reading {

// Bytes that are no UTF-8 become U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view utf16);

}  // namespace reading
