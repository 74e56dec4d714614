#include "cli/batch_runner.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>
#include <thread>
#include <vector>

#include "cli/chunk_reader.h"
#include "cli/piece.h"

namespace calc {
namespace {

// Where a slot of the ring stands.
enum SlotState : int { kFree, kFilled, kAnswered, kStop };

struct Slot {
  Piece piece;
  std::atomic<int> state{kFree};
};

void SetState(Slot& slot, int state) {
  slot.state.store(state, std::memory_order_release);
  slot.state.notify_all();
}

void AwaitStateOtherThan(const Slot& slot, int state) {
  slot.state.wait(state, std::memory_order_acquire);
}

// Waits until the slot holds a piece to answer or is marked to stop; returns
// which.
int AwaitWork(const Slot& slot) {
  while (true) {
    const int state = slot.state.load(std::memory_order_acquire);
    if (state == kFilled || state == kStop) return state;
    slot.state.wait(state, std::memory_order_acquire);
  }
}

unsigned WorkerCount() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
}

// Worker `first` answers the slots first, first + step, ... in turn until it
// finds one marked to stop.
void AnswerSlots(const RowReader& reader, std::vector<Slot>& ring,
                 std::size_t first, std::size_t step) {
  for (std::size_t at = first;; at = (at + step) % ring.size()) {
    Slot& slot = ring[at];
    if (AwaitWork(slot) == kStop) return;
    AnswerPiece(reader, slot.piece);
    SetState(slot, kAnswered);
  }
}

// "corvane-calc: SOURCE:LINE: what" for every failed line of the piece.
std::string ErrorMessages(const Piece& piece, std::string_view source,
                          std::size_t firstLine) {
  static constexpr std::string_view kPrefix = "ERROR: ";
  std::string text;
  for (const PieceError& error : piece.errors) {
    text += "corvane-calc: ";
    text += source;
    text += ':';
    text += std::to_string(firstLine + error.line);
    text += ": ";
    text.append(piece.output, error.begin + kPrefix.size(),
                error.end - error.begin - kPrefix.size());
    text += '\n';
  }
  return text;
}

}  // namespace

int WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t put = write(fd, data.data(), data.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data.remove_prefix(static_cast<std::size_t>(put));
  }
  return 0;
}

BatchRunner::BatchRunner(const RowReader& reader, int outFd, int errFd)
    : reader_(reader), outFd_(outFd), errFd_(errFd) {}

BatchOutcome BatchRunner::Run(int inFd, std::string_view source) const {
  const unsigned workers = WorkerCount();
  std::vector<Slot> ring(2 * workers);
  std::vector<std::jthread> threads;
  for (unsigned w = 0; w < workers; ++w) {
    threads.emplace_back(AnswerSlots, std::cref(reader_), std::ref(ring), w,
                         workers);
  }
  ChunkReader input(inFd);
  BatchOutcome outcome;
  std::size_t filled = 0;
  std::size_t written = 0;
  std::size_t linesWritten = 0;
  bool inputLeft = true;
  while (true) {
    while (inputLeft && filled - written < ring.size() &&
           outcome.writeError == 0) {
      Slot& slot = ring[filled % ring.size()];
      inputLeft = input.Next(slot.piece.input);
      if (!inputLeft) break;
      SetState(slot, kFilled);
      ++filled;
    }
    if (written == filled) break;
    Slot& slot = ring[written % ring.size()];
    AwaitStateOtherThan(slot, kFilled);
    const Piece& piece = slot.piece;
    if (outcome.writeError == 0) {
      outcome.writeError = WriteAll(outFd_, piece.output);
      WriteAll(errFd_, ErrorMessages(piece, source, linesWritten + 1));
    }
    outcome.rowsFailed = outcome.rowsFailed || !piece.errors.empty();
    linesWritten += piece.lines;
    SetState(slot, kFree);
    ++written;
  }
  for (Slot& slot : ring) SetState(slot, kStop);
  outcome.readError = input.failed();
  return outcome;
}

}  // namespace calc
