#include "reader/text/line_scan.h"

#include "reader/text/line_kind.h"
#include "reader/text/undecoded_line.h"
#include "reader/text/utf8_check.h"

namespace reading {

// A carriage return at `at`: passed with its LF, or a line end of its own,
// handed out as CRLF, as it would be if an LF came in the next read (which
// is then dropped).
void PassCr(LineScan& scan) {
  if (scan.at + 1 < scan.end && scan.text[scan.at + 1] == '\n') {
    scan.at += 2;
    return;
  }
  scan.CopyTo(scan.at + 1);
  scan.out += '\n';
  ++scan.at;
}

// Whether a byte-order mark at the start of a line starts a new input there.
bool StartsInput(const LineScan& scan) {
  const char* text = scan.text;
  const std::size_t at = scan.at;
  return text[at] == kUtf8Mark[0] && at > 0 && IsLineEnd(text[at - 1]) &&
         std::string_view(text + at, scan.end - at).starts_with(kUtf8Mark);
}

// UTF-8 lines: past the valid characters up to the next ASCII byte (true),
// or false for a line to mark, which is invalid or (`found`: the encoding
// was found from the lines) holds only pairs that read as GBK's Chinese
// too.
bool PassUtf8(LineScan& scan, bool found) {
  const char* text = scan.text;
  if (found && static_cast<unsigned char>(text[scan.at]) >= 0xE0) {
    scan.longAt = scan.at + 1;  // a character of three bytes or more: the line is UTF-8
  } else if (found && scan.at >= scan.checkedTo &&
             (scan.lineStart = scan.StartOfLine()) >= scan.longAt) {
    // A pair first on its line: the rest of the line is looked at once
    // for pairs alone that read as GBK's Chinese too. (Chinese lines,
    // whose characters are of three bytes, cost a test of their first.)
    scan.lineEnd = scan.checkedTo = LineEndFrom(text, scan.at);
    if (OnlyGbkLikePairs(std::string_view(text + scan.at, scan.lineEnd - scan.at))) {
      scan.CopyTo(scan.lineStart);
      scan.ambiguous = true;
    }
  }
  if (scan.ambiguous) return false;
  // Past the characters up to the next ASCII byte, if they are valid.
  scan.at = PastCharacters(reinterpret_cast<const unsigned char*>(text), scan.at, scan.end);
  if (!IsHigh(text[scan.at])) return true;  // an ASCII byte (a line end at the least) follows
  scan.lineStart = scan.StartOfLine();
  scan.lineEnd = LineEndFrom(text, scan.at);
  scan.CopyTo(scan.lineStart);
  return false;
}

// Lines converted by `converter`: the characters up to the next ASCII byte
// into UTF-8 (true), or false for a line to mark, which is no text in the
// encoding or (`found`) a line of UTF-8 in a file found to be GB18030.
bool PassConverted(LineScan& scan, bool found, LineConverter& converter, std::string& scratch) {
  const char* text = scan.text;
  if (found && scan.at >= scan.checkedTo) {
    scan.lineStart = scan.StartOfLine();
    scan.lineEnd = scan.checkedTo = LineEndFrom(text, scan.at);
    const std::string_view line(text + scan.lineStart, scan.lineEnd - scan.lineStart);
    if (HoldsLongUtf8(line)) {
      // UTF-8 rows added to a GBK file: most of such a line is valid
      // GB18030 too, and garbled, so it is refused; which it is, only the
      // user knows.
      scan.CopyTo(scan.lineStart);
      scratch.clear();
      scan.ambiguous = converter.Append(line, scratch);
      return false;
    }
  }
  // The characters up to the next ASCII byte, as far as they are kept.
  scan.CopyTo(scan.at);
  std::string_view utf8;
  std::size_t length = 0;
  while (IsHigh(text[scan.at]) &&
         (length = converter.Find(std::string_view(text + scan.at, scan.end - scan.at), utf8)) !=
             0) {
    scan.out += utf8;
    scan.at += length;
  }
  scan.copied = scan.at;
  if (length != 0) return true;
  scan.lineStart = scan.StartOfLine();
  scan.lineEnd = LineEndFrom(text, scan.at);
  // What the line's start has become: up to the last line end `out` holds.
  const std::size_t lastEnd = scan.out.rfind('\n');
  const std::size_t outLineStart = lastEnd == std::string::npos ? 0 : lastEnd + 1;
  if (converter.Append(std::string_view(text + scan.at, scan.lineEnd - scan.at), scan.out)) {
    scan.copied = scan.at = scan.lineEnd;
    return true;
  }
  scan.out.resize(outLineStart);
  return false;
}

// The line that does not decode in `encoding` (decided by now for a row):
// a comment is copied as it comes; a row is marked.
void MarkLine(LineScan& scan, const std::optional<TextEncoding>& encoding) {
  const std::string_view line(scan.text + scan.lineStart, scan.lineEnd - scan.lineStart);
  if (IsBlankOrComment(line)) {
    scan.out += line;
  } else if (scan.ambiguous) {
    const bool utf8 = *encoding == TextEncoding::kUtf8;
    AppendUndecoded(scan.out, *encoding, line,
                    utf8 ? TextEncoding::kGb18030 : TextEncoding::kUtf8);
  } else {
    AppendUndecoded(scan.out, *encoding, line);
  }
  scan.ambiguous = false;
  scan.out += '\n';
  scan.copied = scan.at = PastLineEnd(scan.text, scan.lineEnd, scan.end);
}

}  // namespace reading
