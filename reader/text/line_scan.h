#pragma once

// The scan TextLines::ReadLines makes of the lines it hands out: where the
// bytes of 0x80 or more and the carriage returns are, and what becomes of
// each line that holds them (passed as it is, converted, or marked as no
// text in the input's encoding). For TextLines only.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "reader/text/line_converter.h"
#include "reader/text/text_encoding.h"

namespace reading {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

inline bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

inline bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Where the first byte of 0x80 or more is in text[at, end); `end` when
// there is none. Sixty-four bytes at a time with SSE2 (every x86-64 has
// it), sixteen, then eight: a byte's top bit is set or not. Carriage
// returns are found apart, by memchr (FindCr): the two scans cost 0.3
// instructions a byte, against 0.9 for one scan for both sixteen bytes at a
// time (2.1% of corvane-calc's instructions on forward rows, now 0.6%; byte
// by byte it cost a tenth of its CPU time).
inline std::size_t FindHigh(const char* text, std::size_t at, std::size_t end) {
#if defined(__SSE2__)
  const auto load = [text](std::size_t from) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
  };
  while (end - at >= 64) {
    const __m128i any = _mm_or_si128(_mm_or_si128(load(at), load(at + 16)),
                                     _mm_or_si128(load(at + 32), load(at + 48)));
    if (_mm_movemask_epi8(any) != 0) break;
    at += 64;
  }
  while (end - at >= 16) {
    const int found = _mm_movemask_epi8(load(at));
    if (found != 0)
      return at + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(found)));
    at += 16;
  }
#endif
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kTops = 0x8080808080808080;
    while (end - at >= 8) {
      std::uint64_t word;
      std::memcpy(&word, text + at, 8);
      if ((word & kTops) != 0)
        return at + static_cast<std::size_t>(std::countr_zero(word & kTops)) / 8;
      at += 8;
    }
  }
  while (at < end && !IsHigh(text[at])) ++at;
  return at;
}

// Where the first carriage return is in text[at, end); `end` when none.
inline std::size_t FindCr(const char* text, std::size_t at, std::size_t end) {
  const void* cr = std::memchr(text + at, '\r', end - at);
  return cr == nullptr ? end : static_cast<std::size_t>(static_cast<const char*>(cr) - text);
}

// Where the line that holds text[at] ends: its first CR or LF.
inline std::size_t LineEndFrom(const char* text, std::size_t at) {
  while (!IsLineEnd(text[at])) ++at;
  return at;
}

// Past the line end at text[at], CRLF counted as one.
inline std::size_t PastLineEnd(const char* text, std::size_t at, std::size_t end) {
  return text[at] == '\r' && at + 1 < end && text[at + 1] == '\n' ? at + 2 : at + 1;
}

// Where ReadLines is in buffer_[0, end), and what of its lines goes to
// `out` (TextLines::out_) rather than as it is.
struct LineScan {
  LineScan(char* lines, std::size_t to, std::string& into) : text(lines), end(to), out(into) {}

  char* text;
  std::size_t end;
  std::string& out;
  bool copying = false;       // the lines go to `out`, not as they are in the buffer
  std::size_t copied = 0;     // `out` holds what text[0, copied) gives
  std::size_t at = 0;
  std::size_t hit = 0;        // where the byte of 0x80 or more being looked at was found
  std::size_t checkedTo = 0;  // lines before this are looked at for the other encoding
  bool ambiguous = false;     // the line reads in the other of UTF-8 and GB18030 too
  std::size_t longAt = 0;  // (found UTF-8) past the lead of the last character of 3 bytes or more
  std::size_t cr = 0;      // the next carriage return from `at` on
  std::size_t lineStart = 0;  // the line of the byte found, where it is marked
  std::size_t lineEnd = 0;

  void CopyTo(std::size_t to) {
    if (!copying) out.clear();
    copying = true;
    out.append(text + copied, to - copied);
    copied = to;
  }

  // The next byte of 0x80 or more, or carriage return, from `at` on.
  std::size_t FindHighOrCr() {
    if (cr < at) cr = FindCr(text, at, end);
    return FindHigh(text, at, std::min(cr, end));
  }

  // The start of the line of the byte found.
  std::size_t StartOfLine() const {
    std::size_t start = hit;
    while (start > 0 && !IsLineEnd(text[start - 1])) --start;
    return start;
  }
};

// A carriage return at `at`: passed with its LF, or a line end of its own,
// handed out as CRLF, as it would be if an LF came in the next read (which
// is then dropped).
void PassCr(LineScan& scan);

// Whether a byte-order mark at the start of a line starts a new input there.
bool StartsInput(const LineScan& scan);

// UTF-8 lines: past the valid characters up to the next ASCII byte (true),
// or false for a line to mark, which is invalid or (`found`: the encoding
// was found from the lines) holds only pairs that read as GBK's Chinese
// too.
bool PassUtf8(LineScan& scan, bool found);

// Lines converted by `converter`: the characters up to the next ASCII byte
// into UTF-8 (true), or false for a line to mark, which is no text in the
// encoding or (`found`) a line of UTF-8 in a file found to be GB18030.
bool PassConverted(LineScan& scan, bool found, LineConverter& converter, std::string& scratch);

// The line that does not decode in `encoding` (decided by now for a row):
// a comment is copied as it comes; a row is marked.
void MarkLine(LineScan& scan, const std::optional<TextEncoding>& encoding);

}  // namespace reading
