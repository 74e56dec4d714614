// The converter behind Utf8Converter on Windows: the system's code pages
// (MultiByteToWideChar), 936 (GBK) for GB18030's characters of one and two
// bytes and a table for those of four, 950 for Big5, 28591 for Latin-1,
// 1252 for Windows-1252 and 932 for Shift_JIS.
//
// The answers are glibc's iconv's to the byte, so that a file reads the same
// on Windows as on Linux: the bytes are cut into characters by the rules
// the Linux converter follows (code_page_rules.h: which bytes begin a
// character of two or four, what is cut off at the end), each character is
// converted alone with MB_ERR_INVALID_CHARS (without it Windows gives a
// default character instead of failing), and the characters on which the
// code page and iconv disagree are answered from a table of iconv's own.

#include <windows.h>

#include <string>

#include "reader/text/code_page_rules.h"
#include "reader/text/utf8_converter.h"

namespace reading {
namespace {

// Appends the UTF-8 of `utf16` to `out`.
void AppendUtf8(const wchar_t* utf16, int units, std::string& out) {
  char utf8[16];
  const int length = WideCharToMultiByte(CP_UTF8, 0, utf16, units, utf8, sizeof utf8,
                                         nullptr, nullptr);
  out.append(utf8, static_cast<std::size_t>(length));
}

class CodePageConverter final : public Utf8Converter {
 public:
  explicit CodePageConverter(const CodePageRules& rules) : rules_(rules) {}

  Conversion Convert(std::string_view bytes, std::string& out) override {
    std::size_t at = 0;
    while (at < bytes.size()) {
      const auto first = static_cast<unsigned char>(bytes[at]);
      if (first < 0x80) {
        out += static_cast<char>(first);
        ++at;
        continue;
      }
      const CharacterCut cut = rules_.Cut(bytes.substr(at));
      if (cut.how != Conversion::kDone) return cut.how;
      if (!ConvertOne(bytes.substr(at, cut.length), out)) return Conversion::kInvalid;
      at += cut.length;
    }
    return Conversion::kDone;
  }

 private:
  // Appends the UTF-8 of the one character `bytes`; false where it is none.
  bool ConvertOne(std::string_view bytes, std::string& out) const {
    const CodePoint known = rules_.Known(bytes);
    if (known == kNoCharacter) return false;
    if (known != kAskCodePage) {
      // In UTF-16: a code point past U+FFFF is two surrogates.
      const CodePoint above = known - 0x10000;
      const wchar_t pair[2] = {static_cast<wchar_t>(0xD800 + (above >> 10)),
                               static_cast<wchar_t>(0xDC00 + (above & 0x3FF))};
      const wchar_t alone[1] = {static_cast<wchar_t>(known)};
      if (known > 0xFFFF) AppendUtf8(pair, 2, out);
      else AppendUtf8(alone, 1, out);
      return true;
    }
    wchar_t utf16[4];
    const int units = MultiByteToWideChar(rules_.codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                          static_cast<int>(bytes.size()), utf16, 4);
    if (units <= 0) return false;
    AppendUtf8(utf16, units, out);
    return true;
  }

  const CodePageRules& rules_;
};

}  // namespace

std::unique_ptr<Utf8Converter> MakeUtf8Converter(TextEncoding encoding) {
  const CodePageRules* rules = FindCodePageRules(encoding);
  if (rules == nullptr || !IsValidCodePage(rules->codePage)) return nullptr;
  return std::make_unique<CodePageConverter>(*rules);
}

}  // namespace reading
