#pragma once

// How the Windows converter (utf8_converter_windows.cpp) reads each encoding
// so that its answers are glibc iconv's, the Linux converter's: the code
// page that converts it (GB18030: 936, GBK, for its characters of one and
// two bytes), which bytes begin a character of more bytes, and the
// characters on which the code page and iconv disagree.

#include <cstdint>
#include <string_view>

#include "reader/text/text_encoding.h"
#include "reader/text/utf8_converter.h"

namespace reading {

// A Unicode code point, or one of the two answers below.
using CodePoint = std::uint32_t;
inline constexpr CodePoint kNoCharacter = 0xFFFFFFFF;  // iconv reads no character there
inline constexpr CodePoint kAskCodePage = 0xFFFFFFFE;  // the code page answers as iconv does

// Where the character that starts some bytes ends.
struct CharacterCut {
  Conversion how = Conversion::kDone;  // kCutOff: the bytes end inside it
  std::size_t length = 0;              // with kDone: its bytes
};

// A character on which the code page and iconv disagree: its bytes (the
// first in the highest byte) and iconv's code point.
struct KnownCharacter {
  std::uint32_t bytes;
  CodePoint codePoint;
};

// GB18030's characters of four bytes from `first` to `last` (by their
// index, code_page_known.h) are the code points from `codePoint` on.
struct FourByteRange {
  std::uint32_t first;
  std::uint32_t last;
  CodePoint codePoint;
};

struct CodePageRules {
  TextEncoding encoding;
  unsigned codePage;
  // The bytes that begin a character of two (or four) bytes: lo to hi, and
  // lo2 to hi2 (0 to 0 for none).
  unsigned char leadLow, leadHigh, leadLow2, leadHigh2;
  const KnownCharacter* known;  // sorted by bytes
  std::size_t knownCount;
  // GB18030's characters of a lead, a digit, a lead and a digit, which
  // Windows' GB18030 code page (54936; wine has none) is not asked for:
  // sorted, none for the other encodings.
  const FourByteRange* fourBytes;
  std::size_t fourByteCount;

  // The character of 0x80 or more that starts `bytes`.
  CharacterCut Cut(std::string_view bytes) const;
  // iconv's code point for the character `bytes` where the code page's is
  // not it (or for a character of four bytes); kAskCodePage where it is.
  CodePoint Known(std::string_view bytes) const;
  // The other way: appends iconv's bytes for `codePoint` where the code
  // page's are not its (a known character, or one of four bytes) and
  // returns true; false where the code page is to be asked.
  bool KnownBytes(CodePoint codePoint, std::string& out) const;

 private:
  CodePoint FourByte(std::string_view bytes) const;
};

// The rules for `encoding`; nullptr for UTF-8 and UTF-16, which the reader
// decodes itself.
const CodePageRules* FindCodePageRules(TextEncoding encoding);

}  // namespace reading
