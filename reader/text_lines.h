#pragma once

// An input's text in pieces of whole lines, as its bytes come: the bytes are
// decoded (TextDecoder), and every piece handed out holds whole lines, each
// ending in "\n" (one is added to a last line that has none). Memory does not
// grow with the input: a line longer than kMaxLineChars is cut to
// kMaxLineChars + 2 characters, which RowReader refuses as too long, and the
// rest of it is skipped.
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

#include <string>
#include <string_view>

#include "reader/text_decoder.h"

namespace reading {

// Longer lines are refused as a whole.
inline constexpr std::size_t kMaxLineChars = 8192;

class TextLines {
 public:
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
  // whole line is there yet.
  bool Take(std::string& piece);

  // How much text has come that is no whole line yet.
  std::size_t buffered() const { return buffer_.size(); }

  // Whether End() was called and every line has been taken.
  bool Finished() const { return ended_ && buffer_.empty() && !skipping_; }

  Refusal refusal() const { return decoder_.refusal(); }
  const std::string& error() const { return decoder_.error(); }

 private:
  TextDecoder decoder_;
  std::string buffer_;  // decoded, not yet handed out
  std::string raw_;     // bytes read into Space() that need decoding
  std::size_t spaceAt_ = 0;
  bool ended_ = false;
  bool skipping_ = false;  // inside the cut-off rest of an overlong line
};

}  // namespace reading
