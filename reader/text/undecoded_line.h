#pragma once

// A row whose bytes are no text in its input's encoding (a GBK name in a
// file read as UTF-8, bytes GB18030 has no character for, a lone surrogate
// in UTF-16), or that reads as two encodings (a line of UTF-8 in a file
// found to be GB18030, most UTF-8 being valid GB18030 too), is handed on by
// TextLines marked, never as a garbled name:
//
//   0xFF ENCODING 0xFF BYTES "\n"          no text in ENCODING
//   0xFF ENCODING "/" OTHER 0xFF BYTES "\n"  text in both
//
// ENCODING and OTHER are EncodingName()s ("GB18030", "UTF-8"); BYTES are
// the line's bytes as they came, without its line end (from UTF-16, its
// text as far as it decoded, a lone surrogate spelled as UTF-8 would spell
// it). No other line handed on starts with 0xFF: every other line is valid
// UTF-8, which never holds that byte, but for a blank or comment line
// (IsBlankOrComment) that does not decode, which is handed on as its bytes
// (copied lines show such bytes escaped), and a line cut off as too long
// (kMaxLineChars + 2 characters of the input as it came), which is taken
// for marked only where it starts as a mark does, names as they are.
//
// What a reader of rows does (RowReader, before it checks the length, which
// the mark lengthens): a line that FindUndecoded() finds marked is a row,
// and an error whose message is UndecodedMessage(); it counts as one line
// in and one line out, as any other.

#include <optional>
#include <string>
#include <string_view>

#include "reader/text/text_encoding.h"

namespace reading {

inline constexpr char kUndecodedMark = '\xFF';

struct UndecodedLine {
  TextEncoding encoding;              // the input's
  std::optional<TextEncoding> other;  // the line reads in this one too
  std::string_view bytes;             // as they came, without line end
};

// Whether `line` (as handed on, without its "\n") is marked; sets
// `undecoded` then. Inline, the test of its first byte: every line comes
// here.
bool FindMarkedLine(std::string_view line, UndecodedLine& undecoded);
inline bool FindUndecoded(std::string_view line, UndecodedLine& undecoded) {
  return !line.empty() && line[0] == kUndecodedMark && FindMarkedLine(line, undecoded);
}

// Appends the marked line of `bytes` (without line end) that did not decode
// in `encoding`, or (`other`) decodes in that one too; no line end.
void AppendUndecoded(std::string& out, TextEncoding encoding, std::string_view bytes,
                     std::optional<TextEncoding> other = std::nullopt);

// What is wrong with such a row, naming the encoding and the option that
// gives another: "line is not GB18030 text: say the input's encoding with
// --encoding NAME", "line reads as GB18030 and as UTF-8 text: say which
// with --encoding NAME".
std::string UndecodedMessage(const UndecodedLine& line);

}  // namespace reading
