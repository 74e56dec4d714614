#pragma once

// Whether bytes are valid UTF-8: whole characters, none written in more
// bytes than it needs, no surrogate (U+D800 to U+DFFF), nothing above
// U+10FFFF. Valid UTF-8 holds no byte 0xC0, 0xC1 or 0xF5 to 0xFF.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace reading {

// The length of the valid UTF-8 character of more than one byte that
// starts `bytes` (`left` of them there); 0 where none does.
inline std::size_t Utf8CharLength(const unsigned char* bytes, std::size_t left) {
  // Most of Chinese first, in one test of four bytes: a lead of E1 to EF
  // but ED, and two continuations (10xxxxxx), any. (Validating a line of
  // Chinese names byte by byte cost 3% of corvane-calc's instructions.)
  if constexpr (std::endian::native == std::endian::little) {
    std::uint32_t word = 0;
    if (left >= 4) {
      std::memcpy(&word, bytes, 4);
      if ((word & 0xC0C0F0) == 0x8080E0 && (word & 0x0F) != 0 && (word & 0xFF) != 0xED) return 3;
    }
  }
  const unsigned char lead = bytes[0];
  std::size_t length = 0;
  unsigned char low = 0x80;  // the range of the second byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (left < length || bytes[1] < low || bytes[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((bytes[i] & 0xC0) != 0x80) return 0;
  }
  return length;
}

// Past the valid UTF-8 characters of more than one byte that start at
// bytes[at] (up to `end`): where the first byte is that starts none (an
// ASCII byte, or one that is no valid UTF-8). Chinese comes in characters
// of three bytes, two of which are told in one test of eight bytes: a lead
// of E1 to EF but ED, and two continuations, twice (one character at a time
// through Utf8CharLength took four times the instructions).
inline std::size_t PastCharacters(const unsigned char* bytes, std::size_t at, std::size_t end) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kShape = 0xC0C0F0C0C0F0;  // a lead 1110xxxx, two 10xxxxxx, twice
    constexpr std::uint64_t kThreeBytes = 0x8080E08080E0;
    while (end - at >= 8) {
      std::uint64_t word;
      std::memcpy(&word, bytes + at, 8);
      if ((word & kShape) != kThreeBytes) break;
      const auto first = static_cast<unsigned char>(word);
      const auto second = static_cast<unsigned char>(word >> 24);
      if (first == 0xE0 || first == 0xED || second == 0xE0 || second == 0xED) break;
      at += 6;
    }
  }
  while (at < end && bytes[at] >= 0x80) {
    const std::size_t length = Utf8CharLength(bytes + at, end - at);
    if (length == 0) break;
    at += length;
  }
  return at;
}

// The length of the longest start of `text` that is valid UTF-8.
std::size_t ValidUtf8Prefix(std::string_view text);

inline bool IsUtf8(std::string_view text) { return ValidUtf8Prefix(text) == text.size(); }

// Whether `text` holds a byte of 0x80 or more, and each such byte is in a
// pair of a first byte C2 to DF and a second A1 to BF: valid UTF-8 of two
// bytes, and a common Chinese character of GB2312 (GBK, GB18030) as well.
bool OnlyGbkLikePairs(std::string_view text);

// Whether `text` is valid UTF-8 that holds a character of three or four
// bytes (every Chinese character is one).
bool HoldsLongUtf8(std::string_view text);

}  // namespace reading
