#pragma once

// A row whose bytes are no text in its input's encoding (a GBK name in a
// file read as UTF-8, bytes GB18030 has no character for, a lone surrogate
// in UTF-16) is handed on by TextLines and DecodeText marked, never as a
// garbled name:
//
//   0xFF ENCODING 0xFF BYTES "\n"
//
// ENCODING is EncodingName() of the encoding the input is read in
// ("GB18030"); BYTES are the line's bytes as they came, without its line end
// (from UTF-16, its text as far as it decoded, a lone surrogate spelled as
// UTF-8 would spell it). No other line handed on starts with 0xFF: every
// other line is valid UTF-8, which never holds that byte, but for a blank or
// comment line (IsBlankOrComment) that does not decode, which is handed on
// as its bytes (copied lines show such bytes escaped), and a line cut off as
// too long (kMaxLineChars + 2 characters, refused by its length).
//
// What a reader of rows does (RowReader, where it takes the line end off and
// checks the length): a line that FindUndecoded() finds marked is a row, and
// an error whose message is UndecodedMessage(); it counts as one line in and
// one line out, as any other.

#include <string>
#include <string_view>

#include "reader/text_encoding.h"

namespace reading {

inline constexpr char kUndecodedMark = '\xFF';

struct UndecodedLine {
  std::string_view encoding;  // "GB18030"
  std::string_view bytes;     // as they came, without line end
};

// Whether `line` (as handed on, without its "\n") is marked; sets
// `undecoded` to views of it then.
bool FindUndecoded(std::string_view line, UndecodedLine& undecoded);

// Appends the marked line of `bytes` (without line end) that did not decode
// in `encoding`; no line end.
void AppendUndecoded(std::string& out, TextEncoding encoding, std::string_view bytes);

// What is wrong with a row that did not decode, naming the encoding and the
// option that gives another: "line is not GB18030 text: say the input's
// encoding with --encoding NAME".
std::string UndecodedMessage(const UndecodedLine& line);

}  // namespace reading
