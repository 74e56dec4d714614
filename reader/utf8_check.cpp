#include "reader/utf8_check.h"

namespace reading {

std::size_t ValidUtf8Prefix(std::string_view text) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t at = 0;
  while (at < text.size()) {
    if (bytes[at] < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = Utf8CharLength(bytes + at, text.size() - at);
    if (length == 0) break;
    at += length;
  }
  return at;
}

}  // namespace reading
