#pragma once

// The one place the system's converter stands behind: bytes of an
// ASCII-compatible encoding other than UTF-8 turned into UTF-8. On Linux it
// is glibc's iconv (utf8_converter.cpp), the converter every Debian system
// has; on Windows the system's code pages, answering as iconv does
// (utf8_converter_windows.cpp); nothing else changes. LineConverter keeps what
// it gives for each character, so it is asked once per character of one or
// two bytes and for the rest.

#include <memory>
#include <string>
#include <string_view>

#include "reader/text/text_encoding.h"

namespace reading {

// How a conversion ended.
enum class Conversion : unsigned char {
  kDone,
  kCutOff,   // the bytes end inside a character
  kInvalid,  // a byte sequence is no character of the encoding
};

class Utf8Converter {
 public:
  virtual ~Utf8Converter() = default;

  // Appends the UTF-8 of `bytes` to `out`. Where it is not kDone, `out`
  // holds what came before the failure, and the converter is back in its
  // first state for the next call.
  virtual Conversion Convert(std::string_view bytes, std::string& out) = 0;
};

// The system's converter from `encoding` to UTF-8; nullptr where the
// system has none for it.
std::unique_ptr<Utf8Converter> MakeUtf8Converter(TextEncoding encoding);

// The other way, for a file written in an encoding other than UTF-8 (a
// point file for CASS, in GB18030): appends `utf8` in the ASCII-compatible
// `encoding` to `out`. False, `out` as it was, where the system has no
// converter for it, `utf8` is no UTF-8, or a character has no bytes in
// `encoding` (GB18030 has every one).
bool EncodeUtf8(std::string_view utf8, TextEncoding encoding, std::string& out);

}  // namespace reading
