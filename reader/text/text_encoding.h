#pragma once

// The encodings an input can be read in, and their names: the name a
// message gives each, and the names a user may give one by (corvane-calc's
// --encoding NAME, the setting-out window's encoding list).

#include <string>
#include <string_view>

namespace reading {

enum class TextEncoding {
  kUtf8,
  kGb18030,  // holds GBK (Chinese Windows) and GB2312
  kBig5,
  kLatin1,       // ISO-8859-1
  kWindows1252,  // Western Windows
  kShiftJis,     // as Japanese Windows writes it (code page 932)
  kUtf16Le,
  kUtf16Be,
};

// Every encoding, in the order lists show them.
inline constexpr TextEncoding kTextEncodings[] = {
    TextEncoding::kUtf8,    TextEncoding::kGb18030,     TextEncoding::kBig5,
    TextEncoding::kLatin1,  TextEncoding::kWindows1252, TextEncoding::kShiftJis,
    TextEncoding::kUtf16Le, TextEncoding::kUtf16Be,
};

// The name messages give it: "UTF-8", "GB18030", "Big5", "Latin-1",
// "Windows-1252", "Shift_JIS", "UTF-16LE", "UTF-16BE".
std::string_view EncodingName(TextEncoding encoding);

// Whether a byte of 0x00 to 0x7F is always that ASCII character, never part
// of a character of more bytes (a line end never is, nor a digit; GB18030,
// Big5 and Shift_JIS use some ASCII bytes as the second byte of a character,
// but only after a byte of 0x80 or more): all but UTF-16. A line of such an
// encoding can be found by its line end bytes, and a line without a byte of
// 0x80 or more is ASCII text as it is.
bool IsAsciiCompatible(TextEncoding encoding);

// Finds the encoding a user names: case, "-" and "_" do not matter
// ("UTF8", "utf-8", "Shift-JIS"); GBK, GB2312 and CP936 name GB18030,
// ISO-8859-1 Latin-1, CP1252 Windows-1252, SJIS and CP932 Shift_JIS.
// Returns "" and sets `encoding`, or, for a name it does not know (without
// touching `encoding`): unknown encoding "koi8-r" (known: utf-8, gb18030
// (also gbk, gb2312), big5, latin1, windows-1252, shift_jis, utf-16le,
// utf-16be).
std::string FindEncoding(std::string_view name, TextEncoding& encoding);

}  // namespace reading
