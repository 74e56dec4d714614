#include "reader/text/text_encoding.h"

#include <algorithm>

#include "reader/text/shown_text.h"

namespace reading {
namespace {

struct Alias {
  std::string_view name;  // lower case, without "-" and "_"
  TextEncoding encoding;
};

constexpr Alias kAliases[] = {
    {"utf8", TextEncoding::kUtf8},
    {"gb18030", TextEncoding::kGb18030},
    {"gbk", TextEncoding::kGb18030},
    {"gb2312", TextEncoding::kGb18030},
    {"cp936", TextEncoding::kGb18030},
    {"big5", TextEncoding::kBig5},
    {"latin1", TextEncoding::kLatin1},
    {"iso88591", TextEncoding::kLatin1},
    {"windows1252", TextEncoding::kWindows1252},
    {"cp1252", TextEncoding::kWindows1252},
    {"shiftjis", TextEncoding::kShiftJis},
    {"sjis", TextEncoding::kShiftJis},
    {"cp932", TextEncoding::kShiftJis},
    {"utf16le", TextEncoding::kUtf16Le},
    {"utf16be", TextEncoding::kUtf16Be},
};

// Long enough for every alias; a longer name is none of them.
constexpr std::size_t kLongestAlias = 16;

}  // namespace

std::string_view EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return "UTF-8";
    case TextEncoding::kGb18030:
      return "GB18030";
    case TextEncoding::kBig5:
      return "Big5";
    case TextEncoding::kLatin1:
      return "Latin-1";
    case TextEncoding::kWindows1252:
      return "Windows-1252";
    case TextEncoding::kShiftJis:
      return "Shift_JIS";
    case TextEncoding::kUtf16Le:
      return "UTF-16LE";
    case TextEncoding::kUtf16Be:
      return "UTF-16BE";
  }
  return "";
}

bool IsAsciiCompatible(TextEncoding encoding) {
  return encoding != TextEncoding::kUtf16Le && encoding != TextEncoding::kUtf16Be;
}

std::string FindEncoding(std::string_view name, TextEncoding& encoding) {
  std::string key;
  for (const char c : name) {
    if (c == '-' || c == '_') continue;
    key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (key.size() > kLongestAlias) break;
  }
  const auto found = std::find_if(std::begin(kAliases), std::end(kAliases),
                                  [&key](const Alias& alias) { return alias.name == key; });
  if (found != std::end(kAliases)) {
    encoding = found->encoding;
    return {};
  }
  std::string error = "unknown encoding ";
  AppendQuoted(error, name);
  error +=
      " (known: utf-8, gb18030 (also gbk, gb2312), big5, latin1, windows-1252, shift_jis, "
      "utf-16le, utf-16be)";
  return error;
}

}  // namespace reading
