#include "cli/chunk_reader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace calc {

ChunkReader::ChunkReader(int fd) : fd_(fd) {}

ChunkReader::Got ChunkReader::Next(std::string& chunk, bool wait) {
  while (true) {
    if (lines_.Take(chunk)) return Got::kPiece;
    if (eof_ || error_ != 0 || !refused().empty()) return Got::kEnd;
    if (!wait && !InputArrived()) return Got::kNotYet;
    ReadMore();
  }
}

// Whether a read would return at once (with data, the end or an error).
bool ChunkReader::InputArrived() const {
  pollfd input{fd_, POLLIN, 0};
  return poll(&input, 1, 0) > 0;
}

// Adds what one read brings; at the end of the input, its last line. After
// a failed read, a last line without line end is not handed out.
void ChunkReader::ReadMore() {
  char* const space = lines_.Space(kChunkBytes);
  ssize_t got = 0;
  do {
    got = read(fd_, space, kChunkBytes);
  } while (got < 0 && errno == EINTR);
  error_ = got < 0 ? errno : 0;
  eof_ = got == 0;
  lines_.Added(static_cast<std::size_t>(got > 0 ? got : 0));
  if (eof_) lines_.End();
}

}  // namespace calc
