#include "reader/text/utf8_check.h"

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

bool OnlyGbkLikePairs(std::string_view text) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  bool pair = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (bytes[at] < 0x80) continue;
    if (bytes[at] < 0xC2 || bytes[at] > 0xDF || at + 1 == text.size() || bytes[at + 1] < 0xA1 ||
        bytes[at + 1] > 0xBF) {
      return false;
    }
    pair = true;
    ++at;
  }
  return pair;
}

bool HoldsLongUtf8(std::string_view text) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  bool holds = false;
  for (std::size_t at = 0; at < text.size();) {
    if (bytes[at] < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = Utf8CharLength(bytes + at, text.size() - at);
    if (length == 0) return false;
    holds = holds || length > 2;
    at += length;
  }
  return holds;
}

}  // namespace reading
