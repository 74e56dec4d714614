#pragma once

// An input's text in pieces of whole lines, as its bytes come: the bytes are
// decoded (TextDecoder), and every piece handed out holds whole lines of
// UTF-8 (but as undecoded_line.h says), each ending in "\n" or "\r\n" (a
// "\n" is added to a last line that has none). Memory does not grow with the input: a line longer
// than kMaxLineChars is cut to kMaxLineChars + 2 characters, which RowReader refuses as too long,
// and the rest of it is skipped.
//
// Line ends: LF, CRLF and a carriage return alone (what a spreadsheet's
// "CSV (Macintosh)" writes) each end one line, so a stray CR never joins two
// rows. A line that ends in a CR is handed out at once, as if it ended in
// CRLF (an LF that comes next is taken as part of its line end): a row sent
// with a CR alone is answered before the next is waited for, and the lines
// are the same however the bytes come in pieces. A Ctrl-Z (0x1A) as the
// input's last byte (old DOS tools' end-of-file mark) is dropped.
//
// Encodings: a byte-order mark or a named encoding decides; else the
// encoding is found once for the input (encoding_vote.h says how) from its
// lines up to kEncodingSample bytes past the start of its first line that
// holds a byte of 0x80 or more, or up to its end where it ends before. The
// lines before that one (ASCII, which reads either way) are handed out as
// they come; from it on, the lines are held until the encoding is found,
// then handed out in their order: rows in Chinese typed at a terminal are
// answered at the end of the input, or at once where --encoding names it.
// Lines of an encoding other than UTF-8 are split at their line end bytes
// (no character of an ASCII-compatible encoding holds one) and turned into
// UTF-8 one by one; lines of ASCII alone are handed out as they are. A row
// that is no text in the input's encoding is handed out marked, as
// undecoded_line.h says, and reading goes on with the next line. So is, in
// an input whose encoding was found, a row that reads in the other of the
// two as well and is taken for it: in GB18030, valid UTF-8 that holds a
// character of three or four bytes (UTF-8 rows added to a GBK file); in
// UTF-8, valid UTF-8 that reads as GB2312's Chinese too (GBK rows such as
// 桩1,路缘 added to a UTF-8 file). Never is such a row answered under a
// garbled name.
//
// Inputs joined into one (files joined with cat): a byte-order mark at the
// start of a line is dropped and starts a new input, read in the mark's
// encoding (UTF-8, or UTF-16 where the input is UTF-16). A piece never holds
// lines of two inputs: startsInput() says that the piece just taken opens a
// new one, for the rule of an input's first row to apply again.
//
// corvane-calc reads its inputs through this; the program's setting-out
// window can too, reading a file in pieces off its interface thread:
//
//   TextLines lines;
//   while (/* bytes come */) {
//     if (!lines.Add(bytes)) /* refused: lines.error() */;
//     while (lines.Take(piece)) /* each line of piece */;
//   }
//   lines.End();
//   while (lines.Take(piece)) /* ... */;
//   if (!lines.error().empty()) /* refused */;
//
// Speed (bench/text/run.sh): a piece of ASCII or of valid UTF-8 is handed
// out without a copy, checked sixteen bytes at a time: 1% of corvane-calc's
// instructions on an ASCII file, 4.5% on a file of Chinese names, where every
// name is checked as UTF-8. GBK is converted a character at a time from
// what iconv gave for it once (LineConverter): 6% more instructions than
// the same file in UTF-8.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "reader/text/line_converter.h"
#include "reader/text/text_decoder.h"

namespace reading {

// Longer lines are refused as a whole.
inline constexpr std::size_t kMaxLineChars = 8192;

// How many bytes of lines, from the first that is not ASCII, tell an
// input's encoding.
inline constexpr std::size_t kEncodingSample = 64 * 1024;

class TextLines {
 public:
  // `named`: the encoding of the input where it has no byte-order mark
  // (--encoding NAME); none to find it.
  explicit TextLines(std::optional<TextEncoding> named = std::nullopt);

  // Adds the next bytes of the input. False when the input's encoding is
  // refused (error() says why); nothing more is taken then.
  bool Add(std::string_view bytes);

  // For a reader that reads straight into the text: room for `size` bytes,
  // to be followed by Added() with how many were put there.
  char* Space(std::size_t size);
  bool Added(std::size_t count);

  // The input has ended: what is left becomes the last line.
  bool End();

  // Replaces `piece` with the whole lines that have come; false when no
  // whole line is there yet, or when the input is refused (error()).
  bool Take(std::string& piece);

  // Whether the piece last taken starts a new input: a byte-order mark at
  // the start of its first line was dropped.
  bool startsInput() const { return startsInput_; }

  // The encoding the lines are read in; none while it is not decided (only
  // ASCII has come, or the lines that tell are not all there).
  std::optional<TextEncoding> encoding() const { return encoding_; }

  // How much text has come that is no whole line yet.
  std::size_t buffered() const { return buffer_.size(); }

  // Whether End() was called and every line has been taken.
  bool Finished() const { return ended_ && buffer_.empty() && !skipping_; }

  // Why the input is refused (kNone when it is not), and the tool's words
  // for it, one line ("" when it is not).
  Refusal refusal() const { return refusal_ != Refusal::kNone ? refusal_ : decoder_.refusal(); }
  std::string error() const { return RefusalText(refusal()); }

 private:
  bool SkipRest();
  void TakeCut(std::string& piece);
  void StartInput();
  bool UseEncoding(TextEncoding encoding);
  bool Sample(std::size_t& end);
  bool Decide(std::size_t from, std::size_t end);
  bool ReadLines(std::size_t end, std::string& piece);

  TextDecoder decoder_;
  std::optional<TextEncoding> named_;
  std::optional<TextEncoding> encoding_;      // once decided
  std::unique_ptr<LineConverter> converter_;  // for an encoding other than UTF-8
  std::string buffer_;                        // decoded, not yet handed out
  std::string raw_;                           // bytes read into Space() that need decoding
  std::string out_;                           // lines being turned into UTF-8
  std::string scratch_;                       // a refused line as GB18030 would read
  Refusal refusal_ = Refusal::kNone;          // what TextLines itself refuses
  std::size_t spaceAt_ = 0;
  bool ended_ = false;
  bool skipping_ = false;  // inside the cut-off rest of an overlong line
  bool afterCr_ = false;   // the last line handed out ended in a CR with nothing after it
  bool newInput_ = false;  // a mark was dropped: the next piece starts an input
  bool found_ = false;     // the encoding was found from the lines, not named or marked
  bool startsInput_ = false;
};

}  // namespace reading
