#pragma once

// Reads an input stream in pieces of whole lines, so that a batch of rows can
// be computed while the next is read, in memory that does not grow with the
// input. Every line of a piece ends in "\n" (one is added to a last line that
// has none). A piece is returned as soon as one read brings whole lines, so
// rows typed or piped in slowly are answered at once; and a caller with
// answers to write can ask for a piece only if one is there without waiting.
// A line longer than kMaxLineChars is cut to kMaxLineChars + 2 characters,
// which the row reader refuses, and the rest of it is skipped.

#include <string>

namespace calc {

class ChunkReader {
 public:
  // A piece holds at most this many bytes (plus one cut-off line).
  static constexpr std::size_t kChunkBytes = 32 * 1024;

  enum class Got {
    kPiece,   // `chunk` holds the next lines
    kNotYet,  // (without waiting only) no whole line has arrived yet
    kEnd,     // the input ended, or a read failed (see failed())
  };

  explicit ChunkReader(int fd);

  // Replaces `chunk` with the next lines. With `wait` false, returns kNotYet
  // where it would have to wait for input.
  Got Next(std::string& chunk, bool wait = true);

  // The errno of a failed read, 0 when none failed.
  int failed() const { return error_; }

 private:
  bool TakeLines(std::string& chunk);
  bool InputArrived() const;
  void ReadMore();

  int fd_;
  std::string buffer_;  // read but not yet handed out: no whole line
  bool eof_ = false;
  bool skipping_ = false;  // inside the cut-off rest of an overlong line
  int error_ = 0;
};

}  // namespace calc
