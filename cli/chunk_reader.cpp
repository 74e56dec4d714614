#include "cli/chunk_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/row_reader.h"

namespace calc {
namespace {

// Enough for a whole piece behind the longest line that is carried over.
constexpr std::size_t kCapacity =
    ChunkReader::kChunkBytes + kMaxLineChars + 2;

}  // namespace

ChunkReader::ChunkReader(int fd) : fd_(fd) {}

bool ChunkReader::Next(std::string& chunk) {
  if (skipping_ && !SkipRestOfLine()) return false;
  chunk.swap(carry_);
  carry_.clear();
  while (true) {
    const std::size_t lastNewline = chunk.rfind('\n');
    if (lastNewline != std::string::npos) {
      carry_.assign(chunk, lastNewline + 1);
      chunk.resize(lastNewline + 1);
      return true;
    }
    if (chunk.size() > kMaxLineChars + 1) {  // room for a "\r"
      // Two characters past the limit: still too long once a "\r" is dropped.
      chunk.resize(kMaxLineChars + 2);
      chunk.push_back('\n');
      skipping_ = true;
      return true;
    }
    if (!ReadMore(chunk)) {
      if (error_ != 0 || chunk.empty()) return false;
      chunk.push_back('\n');
      return true;
    }
  }
}

// Appends what one read brings; false at the end of the input or on error.
bool ChunkReader::ReadMore(std::string& chunk) {
  if (eof_ || error_ != 0) return false;
  const std::size_t have = chunk.size();
  chunk.resize(kCapacity);
  while (true) {
    const ssize_t got = read(fd_, chunk.data() + have, kCapacity - have);
    if (got > 0) {
      chunk.resize(have + static_cast<std::size_t>(got));
      return true;
    }
    if (got == 0 || errno != EINTR) {
      chunk.resize(have);
      eof_ = got == 0;
      error_ = got == 0 ? 0 : errno;
      return false;
    }
  }
}

// Drops input up to and including the next "\n", keeping what follows it
// for the next piece; false when the input ends (or fails) first.
bool ChunkReader::SkipRestOfLine() {
  std::string rest;
  while (true) {
    const std::size_t newline = rest.find('\n');
    if (newline != std::string::npos) {
      carry_.assign(rest, newline + 1);
      skipping_ = false;
      return true;
    }
    rest.clear();
    if (!ReadMore(rest)) return false;
  }
}

}  // namespace calc
