#include "reader/shown_text.h"

#include <array>
#include <cstdint>

namespace reading {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Characters that print nothing, or change how the text around them shows:
// C1 controls, zero-width characters and joiners, direction marks,
// embeddings, overrides and isolates, line and paragraph separators, the
// byte-order mark.
bool IsInvisible(std::uint32_t c) {
  return c < 0xA0 || (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
         (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF;
}

// The length of the UTF-8 sequence of one printable character at the start
// of `text` (its first byte 0x80 or more); 0 when it is none.
std::size_t PrintableSequence(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  std::uint32_t c = 0;
  unsigned char low = 0x80;  // the range of the second byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  const auto second = static_cast<unsigned char>(text[1]);
  if (second < low || second > high) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return 0;
    c = (c << 6) | (byte & 0x3F);
  }
  return IsInvisible(c) ? 0 : length;
}

void AppendHexByte(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

// AppendShown, and with `marks` false backslash and quote as they are.
void AppendEscaped(std::string& out, std::string_view text, bool marks) {
  std::size_t at = 0;
  while (at < text.size()) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c >= 0x80) {
      const std::size_t length = PrintableSequence(text.substr(at));
      if (length == 0) {
        AppendHexByte(out, c);
        ++at;
      } else {
        out.append(text, at, length);
        at += length;
      }
      continue;
    }
    switch (c) {
      case '\\':
        out += marks ? "\\\\" : "\\";
        break;
      case '"':
        out += marks ? "\\\"" : "\"";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          AppendHexByte(out, c);
        } else {
          out += static_cast<char>(c);
        }
    }
    ++at;
  }
}

// Printable ASCII but blank and quote.
constexpr std::array<bool, 256> kPlainBytes = [] {
  std::array<bool, 256> plain{};
  for (int c = '!'; c <= '~'; ++c) plain[c] = c != '"';
  return plain;
}();

// Whether `text` can be written as a field as it is, between fields that
// `separator` separates: names mostly can.
bool IsPlainField(std::string_view text, char separator) {
  if (text.empty() || text[0] == '#') return false;
  for (const char c : text) {
    if (!kPlainBytes[static_cast<unsigned char>(c)] || c == separator) return false;
  }
  return true;
}

}  // namespace

void AppendShown(std::string& out, std::string_view text) { AppendEscaped(out, text, true); }

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  AppendShown(out, text);
  out += '"';
}

void AppendField(std::string& out, std::string_view text, char separator) {
  if (text.empty() && separator != ' ') return;
  if (IsPlainField(text, separator)) {
    out += text;
    return;
  }
  std::string shown;
  AppendEscaped(shown, text, false);
  const bool quoted =
      shown.find('"') != std::string::npos || shown.find(separator) != std::string::npos ||
      (shown.empty() ? separator == ' '
                     : shown.front() == ' ' || shown.back() == ' ' || shown.front() == '#');
  if (!quoted) {
    out += shown;
    return;
  }
  out += '"';
  for (const char c : shown) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace reading
