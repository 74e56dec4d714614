#pragma once

// The text of an input, decoded as its bytes come, in pieces of any size:
// UTF-8 as it is, its byte-order mark (saved by many Windows editors and
// spreadsheets) dropped; UTF-16 with a byte-order mark, in either byte order
// (a spreadsheet's "Unicode text"), turned into UTF-8. Any other encoding
// that shows at the start is refused with one message: UTF-32, and UTF-16
// without a byte-order mark (a NUL among the first two bytes). Bytes that
// are no valid UTF-8 are passed on; whoever shows them escapes them.
//
// In UTF-16, a surrogate without its partner is written as the three bytes
// UTF-8 would give it (no valid UTF-8, so shown escaped, never dropped), and
// an odd last byte as it is.

#include <string>
#include <string_view>

namespace reading {

// Why an input's encoding is refused.
enum class Refusal : unsigned char {
  kNone,
  kUtf32,             // a UTF-32 byte-order mark
  kUtf16WithoutMark,  // a NUL among the first two bytes
};

// The tool's words for a refusal, one line: "UTF-32 text is not read: ...".
const char* RefusalText(Refusal refusal);

class TextDecoder {
 public:
  // Appends the text of the next `bytes` of the input to `text`; bytes
  // that end inside a character are held back until the rest comes. False
  // when the input's encoding is refused: error() says why, and nothing is
  // appended then or later.
  bool Decode(std::string_view bytes, std::string& text);

  // Appends what is held back at the end of the input. False when the
  // encoding is refused.
  bool Finish(std::string& text);

  // Whether the next bytes are the text as they come (UTF-8 past its
  // start): a caller may then read them straight into its text and skip
  // Decode.
  bool PassesThrough() const { return state_ == State::kUtf8; }

  // Why the encoding is refused (kNone when it is not), and the tool's
  // words for it, one line without line end ("" when not).
  Refusal refusal() const { return refusal_; }
  const std::string& error() const { return error_; }

 private:
  enum class State { kStart, kUtf8, kUtf16Le, kUtf16Be, kRefused };

  bool DecideFromStart(bool atEnd);
  void Refuse(Refusal refusal);
  void DecodeHeld(std::string& text);
  void DecodeUtf16(std::string_view bytes, std::string& text);

  State state_ = State::kStart;
  std::string held_;  // the start not yet decided, or a part of a character
  Refusal refusal_ = Refusal::kNone;
  std::string error_;
};

// Decodes a whole input at once: its text appended to `text`; "" or why
// its encoding is refused.
std::string DecodeText(std::string_view bytes, std::string& text);

}  // namespace reading
