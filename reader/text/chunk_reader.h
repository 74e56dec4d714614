#pragma once

// Reads an input stream in pieces of whole lines, so that a batch of rows can
// be computed while the next is read, in memory that does not grow with the
// input. The bytes are decoded and split into lines as TextLines does
// (GBK and UTF-16 become UTF-8, LF, CRLF and a lone CR each end a line, a
// line that does not decode is marked, a line longer than kMaxLineChars is
// cut and the rest of it skipped; every line of a piece ends in "\n"; a
// piece never holds lines of two inputs joined into one). A piece is
// returned as soon as one read brings whole lines, so rows typed or piped in
// slowly are answered at once; and a caller with answers to write can ask
// for a piece only if one is there without waiting. corvane-calc reads its
// inputs so, and the program's setting-out window its files.

#include <cstdint>
#include <optional>
#include <string>

#include "reader/text/text_lines.h"

namespace reading {

class ChunkReader {
 public:
  // A piece holds at most this many bytes (plus one cut-off line), but for
  // the lines held while an input's encoding is found (text_lines.h): up to
  // kEncodingSample bytes more.
  static constexpr std::size_t kChunkBytes = 32 * 1024;

  enum class Got {
    kPiece,   // `chunk` holds the next lines
    kNotYet,  // (without waiting only) no whole line has arrived yet
    kEnd,     // the input ended, a read failed (see failed()) or its
              // encoding is refused (see refused())
  };

  // `encoding`: the encoding of an input without a byte-order mark; none to
  // find it (TextLines).
  explicit ChunkReader(int fd, std::optional<TextEncoding> encoding = std::nullopt);

  // Replaces `chunk` with the next lines. With `wait` false, returns kNotYet
  // where it would have to wait for input.
  Got Next(std::string& chunk, bool wait = true);

  // The errno of a failed read, 0 when none failed.
  int failed() const { return error_; }

  // Why the input's encoding is refused (kNone when it is not), and the
  // tool's words for it ("" when it is not).
  Refusal refusal() const { return lines_.refusal(); }
  std::string refused() const { return lines_.error(); }

  // The encoding the input is read in; none while only ASCII has come.
  std::optional<TextEncoding> encoding() const { return lines_.encoding(); }

  // How many bytes have been read so far.
  std::uint64_t bytesRead() const { return bytesRead_; }

  // Whether the piece last returned starts a new input (files joined with
  // cat: a byte-order mark began its first line), where the rule of an
  // input's first row applies again.
  bool startsInput() const { return lines_.startsInput(); }

 private:
  bool InputArrived() const;
  void ReadMore();

  int fd_;
  TextLines lines_;
  bool eof_ = false;
  int error_ = 0;
  std::uint64_t bytesRead_ = 0;
};

}  // namespace reading
