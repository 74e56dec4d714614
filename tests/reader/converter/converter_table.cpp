// Prints what the system's converter (utf8_converter.h) makes of every byte
// sequence that can be a character of one encoding, one line each:
// "81 40\t" then the UTF-8 in hex, "cut" (kCutOff) or "bad" (kInvalid).
// Run by scripts/windows-check.sh on the Linux build (glibc's iconv) and the
// Windows build (the code pages) and compared byte for byte.
// With --encode, the other way (EncodeUtf8): every code point from U+0080
// on but the surrogates, "4e2d\t" then its bytes in hex, or "none".
// Usage: converter_table [--encode] ENCODING   (a name --encoding takes:
// gb18030, big5, latin1, windows-1252, shift_jis)

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "reader/text/text_encoding.h"
#include "reader/text/utf8_converter.h"

namespace {

void PrintHex(std::string_view bytes, std::string& line) {
  static const char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) line += ' ';
    const auto byte = static_cast<unsigned char>(bytes[i]);
    line += kDigits[byte >> 4];
    line += kDigits[byte & 15];
  }
}

void Print(reading::Utf8Converter& converter, const std::string& bytes, std::string& text) {
  std::string utf8;
  const reading::Conversion how = converter.Convert(bytes, utf8);
  PrintHex(bytes, text);
  text += '\t';
  if (how == reading::Conversion::kDone) PrintHex(utf8, text);
  if (how == reading::Conversion::kCutOff) text += "cut";
  if (how == reading::Conversion::kInvalid) text += "bad";
  text += '\n';
}

std::string Byte(unsigned value) { return std::string(1, static_cast<char>(value)); }

// Every byte of 0x80 or more alone, and after it every second byte; where
// a pair ending in a digit is cut off, its four-byte continuations
// (GB18030's).
void PrintAll(reading::Utf8Converter& converter, std::FILE* out) {
  std::string text;
  for (unsigned first = 0x80; first <= 0xFF; ++first) {
    Print(converter, Byte(first), text);
    for (unsigned second = 0; second <= 0xFF; ++second) {
      const std::string pair = Byte(first) + Byte(second);
      Print(converter, pair, text);
      std::string none;
      if (second < 0x30 || second > 0x39 ||
          converter.Convert(pair, none) != reading::Conversion::kCutOff) {
        continue;
      }
      for (unsigned third = 0x80; third <= 0xFF; ++third) {
        Print(converter, pair + Byte(third), text);
        for (unsigned fourth = 0x30; fourth <= 0x39; ++fourth) {
          Print(converter, pair + Byte(third) + Byte(fourth), text);
        }
      }
    }
    std::fwrite(text.data(), 1, text.size(), out);
    text.clear();
  }
}

// A code point in UTF-8.
std::string Utf8Of(unsigned codePoint) {
  std::string utf8;
  if (codePoint < 0x800) {
    utf8 += static_cast<char>(0xC0 | codePoint >> 6);
  } else if (codePoint < 0x10000) {
    utf8 += static_cast<char>(0xE0 | codePoint >> 12);
    utf8 += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | codePoint >> 18);
    utf8 += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
  }
  utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  return utf8;
}

void PrintEncoded(reading::TextEncoding encoding, std::FILE* out) {
  std::string text;
  char number[16];
  for (unsigned codePoint = 0x80; codePoint <= 0x10FFFF; ++codePoint) {
    if (codePoint >= 0xD800 && codePoint < 0xE000) continue;
    std::snprintf(number, sizeof number, "%x\t", codePoint);
    text += number;
    std::string bytes;
    if (reading::EncodeUtf8(Utf8Of(codePoint), encoding, bytes)) PrintHex(bytes, text);
    else text += "none";
    text += '\n';
    if (text.size() > 1 << 16) {
      std::fwrite(text.data(), 1, text.size(), out);
      text.clear();
    }
  }
  std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace

int main(int argc, char** argv) {
  const bool encode = argc == 3 && std::string(argv[1]) == "--encode";
  reading::TextEncoding encoding{};
  if (argc != 2 + (encode ? 1 : 0) || !reading::FindEncoding(argv[argc - 1], encoding).empty()) {
    std::fputs("usage: converter_table [--encode] ENCODING\n", stderr);
    return 2;
  }
  const auto converter = reading::MakeUtf8Converter(encoding);
  if (converter == nullptr) {
    std::fprintf(stderr, "converter_table: no converter for %s\n", argv[argc - 1]);
    return 1;
  }
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // "\n" as it is, as on Linux
#endif
  if (encode) {
    PrintEncoded(encoding, stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  // A failure, then a character: the converter is back in its first state.
  std::string check;
  converter->Convert("\xFF", check);
  PrintAll(*converter, stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
