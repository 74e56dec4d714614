#pragma once

// The bytes of an input as they come, in pieces of any size, turned into
// text that can be split into lines at its line end bytes. The start of the
// input decides what its bytes are:
//
// - a byte-order mark: UTF-8 (the mark is dropped), or UTF-16 in either
//   byte order (a spreadsheet's "Unicode text"), which is decoded into
//   UTF-8 here; UTF-32's marks are refused;
// - a named encoding (corvane-calc's --encoding NAME) where there is no
//   mark: UTF-16 without a mark is decoded as such;
// - else the bytes are of an ASCII-compatible encoding and are passed on
//   as they are; which encoding is for their lines to tell (TextLines).
//   UTF-16 without a mark is refused with one message: NUL bytes among
//   the first bytes (UTF-8, GB18030 and their kin never hold one) give it
//   away, even where its first character is Chinese ("控制" is
//   A7 63 36 52, its first NUL comes with the first ASCII character): a NUL
//   among the first two, or the first kSampleBytes reading as UTF-16 text
//   (ReadsAsUtf16 says how). Bytes with NULs that are no text (a program,
//   a picture) are passed on, for their reader to refuse (TextFile) or to
//   show escaped.
//
// How many first bytes: up to the first line end after some text, where
// that text is valid UTF-8 without control bytes (what is typed or piped
// in is read at once: its first line is answered before the next comes);
// else up to kSampleBytes, or the end. Which of them is read is decided by
// the bytes alone, never by how they come in pieces. A UTF-16 first line of
// Chinese alone whose bytes happen to be such text is not told from it.
//
// In UTF-16, a surrogate without its partner is written as the three bytes
// UTF-8 would give it, and an odd last byte as 0xFE: no valid UTF-8, so
// their line does not decode.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/text/text_encoding.h"

namespace reading {

// Why an input's encoding is refused.
enum class Refusal : unsigned char {
  kNone,
  kUtf32,             // a UTF-32 byte-order mark
  kUtf16WithoutMark,  // a NUL among the first bytes, without a byte-order mark
  kNoConverter,       // the encoding is named or found, but iconv cannot convert it
};

// The tool's words for a refusal, one line: "UTF-32 text is not read: ...".
const char* RefusalText(Refusal refusal);

class TextDecoder {
 public:
  // How many first bytes at most tell UTF-16 without a mark.
  static constexpr std::size_t kSampleBytes = 1024;

  // `named`: the encoding the user names for inputs without a byte-order
  // mark; none to find it.
  explicit TextDecoder(std::optional<TextEncoding> named = std::nullopt) : named_(named) {}

  // Appends the text of the next `bytes` of the input to `text`; bytes
  // that end inside a character, or that are too few to tell the start, are
  // held back until the rest comes. False when the input's encoding is
  // refused: error() says why, and nothing is appended then or later.
  bool Decode(std::string_view bytes, std::string& text);

  // Appends what is held back at the end of the input. False when the
  // encoding is refused.
  bool Finish(std::string& text);

  // Whether the next bytes are passed on as they come: a caller may then
  // read them straight into its text and skip Decode.
  bool PassesThrough() const { return state_ == State::kPassing; }

  // Whether the start is decided: the bytes are passed on, or decoded.
  bool Decided() const { return state_ != State::kStart && state_ != State::kRefused; }

  // The encoding the start decided: a byte-order mark's, or UTF-16 named;
  // none where the bytes are passed on without a mark.
  std::optional<TextEncoding> encoding() const { return encoding_; }

  // Why the encoding is refused (kNone when it is not), and the tool's
  // words for it, one line without line end ("" when not).
  Refusal refusal() const { return refusal_; }
  const char* error() const { return RefusalText(refusal_); }

 private:
  enum class State { kStart, kPassing, kUtf16Le, kUtf16Be, kRefused };

  bool DecideFromStart(bool atEnd);
  bool SampleDecides(bool atEnd);
  void Refuse(Refusal refusal);
  void DecodeHeld(std::string& text);
  void DecodeUtf16(std::string_view bytes, std::string& text);

  std::optional<TextEncoding> named_;
  std::optional<TextEncoding> encoding_;
  State state_ = State::kStart;
  std::string held_;  // the start not yet decided, or a part of a character
  Refusal refusal_ = Refusal::kNone;
};

// Reads a whole input at once: its lines as TextLines hands them out,
// joined, appended to `text` (so the last ends in "\n" too); `named` as for
// TextDecoder. Where `inputStarts` is given, the offset in `text` of every
// later input that starts there (after a byte-order mark at the start of a
// line) is appended to it. Returns "" or why the encoding is refused.
std::string DecodeText(std::string_view bytes, std::string& text,
                       std::optional<TextEncoding> named = std::nullopt,
                       std::vector<std::size_t>* inputStarts = nullptr);

}  // namespace reading
