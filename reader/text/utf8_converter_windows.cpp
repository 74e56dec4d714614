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
// Writing (EncodeUtf8) goes the same way back: the table's characters and
// GB18030's of four bytes from the table, the rest from the code page, each
// read back as iconv would read it before it is taken.

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

// Appends the bytes of the one character `utf16` (one unit, or two
// surrogates) of code point `codePoint` in the encoding of `rules`; false
// where it has none there.
bool EncodeOne(const CodePageRules& rules, const wchar_t* utf16, int units, CodePoint codePoint,
               std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
    return true;
  }
  if (rules.KnownBytes(codePoint, out)) return true;
  char bytes[8];
  BOOL defaulted = FALSE;
  const int length = WideCharToMultiByte(rules.codePage, WC_NO_BEST_FIT_CHARS, utf16, units,
                                         bytes, sizeof bytes, nullptr, &defaulted);
  if (length <= 0 || defaulted) return false;
  // Taken where it reads back as this character, as iconv reads it.
  std::string utf8;
  std::string back;
  AppendUtf8(utf16, units, utf8);
  CodePageConverter reader(rules);
  const std::string_view written(bytes, static_cast<std::size_t>(length));
  if (reader.Convert(written, back) != Conversion::kDone || back != utf8) return false;
  out.append(written);
  return true;
}

}  // namespace

bool EncodeUtf8(std::string_view utf8, TextEncoding encoding, std::string& out) {
  const CodePageRules* rules = FindCodePageRules(encoding);
  if (rules == nullptr || !IsValidCodePage(rules->codePage)) return false;
  if (utf8.empty()) return true;
  const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                        static_cast<int>(utf8.size()), nullptr, 0);
  if (units <= 0) return false;
  std::wstring utf16(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                      utf16.data(), units);
  std::string encoded;
  for (std::size_t at = 0; at < utf16.size();) {
    const auto unit = static_cast<CodePoint>(utf16[at]);
    const bool pair = unit >= 0xD800 && unit < 0xDC00 && at + 1 < utf16.size();
    const CodePoint codePoint =
        pair ? 0x10000 + ((unit - 0xD800) << 10) + (static_cast<CodePoint>(utf16[at + 1]) - 0xDC00)
             : unit;
    const int length = pair ? 2 : 1;
    if (!EncodeOne(*rules, utf16.data() + at, length, codePoint, encoded)) return false;
    at += static_cast<std::size_t>(length);
  }
  out += encoded;
  return true;
}

std::unique_ptr<Utf8Converter> MakeUtf8Converter(TextEncoding encoding) {
  const CodePageRules* rules = FindCodePageRules(encoding);
  if (rules == nullptr || !IsValidCodePage(rules->codePage)) return nullptr;
  return std::make_unique<CodePageConverter>(*rules);
}

}  // namespace reading
