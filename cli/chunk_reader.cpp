#include "cli/chunk_reader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "reader/row_reader.h"

namespace calc {
namespace {

// Enough for a whole piece behind the longest line that is carried over.
constexpr std::size_t kCapacity = ChunkReader::kChunkBytes + reading::kMaxLineChars + 2;

}  // namespace

ChunkReader::ChunkReader(int fd) : fd_(fd) {}

ChunkReader::Got ChunkReader::Next(std::string& chunk, bool wait) {
  while (true) {
    if (TakeLines(chunk)) return Got::kPiece;
    if (eof_ || error_ != 0) return Got::kEnd;
    if (!wait && !InputArrived()) return Got::kNotYet;
    ReadMore();
  }
}

// Moves the whole lines of the buffer (or a cut-off overlong line, or the
// last line of the input) to `chunk`; false when there are none.
bool ChunkReader::TakeLines(std::string& chunk) {
  if (skipping_) {
    const std::size_t newline = buffer_.find('\n');
    if (newline == std::string::npos) {
      buffer_.clear();
      return false;
    }
    buffer_.erase(0, newline + 1);
    skipping_ = false;
  }
  const std::size_t lastNewline = buffer_.rfind('\n');
  if (lastNewline != std::string::npos) {
    chunk.swap(buffer_);
    buffer_.assign(chunk, lastNewline + 1);
    chunk.resize(lastNewline + 1);
    return true;
  }
  if (buffer_.size() > reading::kMaxLineChars + 1) {  // room for a "\r"
    // Two characters past the limit: still too long once a "\r" is dropped.
    chunk.assign(buffer_, 0, reading::kMaxLineChars + 2);
    chunk.push_back('\n');
    buffer_.clear();
    skipping_ = true;
    return true;
  }
  if (eof_ && error_ == 0 && !buffer_.empty()) {
    chunk.swap(buffer_);
    chunk.push_back('\n');
    buffer_.clear();
    return true;
  }
  return false;
}

// Whether a read would return at once (with data, the end or an error).
bool ChunkReader::InputArrived() const {
  pollfd input{fd_, POLLIN, 0};
  return poll(&input, 1, 0) > 0;
}

// Appends what one read brings.
void ChunkReader::ReadMore() {
  const std::size_t have = buffer_.size();
  buffer_.resize(kCapacity);
  ssize_t got = 0;
  do {
    got = read(fd_, buffer_.data() + have, kCapacity - have);
  } while (got < 0 && errno == EINTR);
  error_ = got < 0 ? errno : 0;
  eof_ = got == 0;
  buffer_.resize(have + static_cast<std::size_t>(got > 0 ? got : 0));
}

}  // namespace calc
