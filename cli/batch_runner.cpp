#include "cli/batch_runner.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "cli/input_start.h"
#include "cli/console_text.h"
#include "cli/piece.h"
#include "cli/state_wait.h"
#include "reader/text/chunk_reader.h"

namespace calc {
namespace {

// Where a slot of the ring stands.
enum SlotState : int { kFree, kFilled, kAnswered, kStop };

// A cache line: 64 bytes on x86-64 and on most arm64 machines.
constexpr std::size_t kCacheLine = 64;

// A slot has cache lines of its own: a worker writes its piece's output
// for every line while the other worker and the reading thread write
// theirs. (Slots that shared a line, and workers that read the rows'
// settings from a line beside the reading thread's, cost 15% more CPU time
// for a setting-out sheet of a million points than the same work apart.)
struct alignas(kCacheLine) Slot {
  Piece piece;
  std::atomic<int> state{kFree};
};

void SetState(Slot& slot, int state) {
  slot.state.store(state, std::memory_order_release);
  WakeAll(slot.state);
}

void AwaitStateOtherThan(const Slot& slot, int state) { WaitWhileEquals(slot.state, state); }

// Waits until the slot holds a piece to answer or is marked to stop; returns
// which.
int AwaitWork(const Slot& slot) {
  while (true) {
    const int state = slot.state.load(std::memory_order_acquire);
    if (state == kFilled || state == kStop) return state;
    WaitWhileEquals(slot.state, state);
  }
}

unsigned WorkerCount() { return std::clamp(std::thread::hardware_concurrency(), 1u, 2u); }

// Worker `first` answers the slots first, first + step, ... in turn until it
// finds one marked to stop. It reads with a copy of `shared` of its own,
// which it reads for every row: nothing of it shares a cache line with what
// another thread writes.
void AnswerSlots(const reading::RowReader& shared, std::vector<Slot>& ring, std::size_t first,
                 std::size_t step) {
  const reading::RowReader reader(shared);
  for (std::size_t at = first;; at = (at + step) % ring.size()) {
    Slot& slot = ring[at];
    if (AwaitWork(slot) == kStop) return;
    AnswerPiece(reader, slot.piece);
    SetState(slot, kAnswered);
  }
}

// Starts the workers that answer the ring's slots; none when no thread can
// be started (the calling thread then answers every piece itself).
std::vector<std::jthread> StartWorkers(ThreadStarter start, const reading::RowReader& reader,
                                       std::vector<Slot>& ring) {
  const unsigned workers = WorkerCount();
  std::vector<std::jthread> threads;
  try {
    for (unsigned w = 0; w < workers; ++w) {
      threads.push_back(
          start([&reader, &ring, w, workers] { AnswerSlots(reader, ring, w, workers); }));
    }
  } catch (const std::system_error&) {
    // The slots of the missing workers would never be answered: stop the
    // ones that started.
    for (Slot& slot : ring) SetState(slot, kStop);
    threads.clear();
    for (Slot& slot : ring) SetState(slot, kFree);
  }
  return threads;
}

// "corvane-calc: SOURCE:LINE: what" for every failed line of the piece.
std::string ErrorMessages(const Piece& piece, std::string_view source, std::size_t firstLine) {
  static constexpr std::string_view kPrefix = reading::kErrorPrefix;
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
  if (IsConsole(fd)) return WriteConsoleText(fd, data);
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

std::jthread StartThread(std::function<void()> work) { return std::jthread(std::move(work)); }

BatchRunner::BatchRunner(const reading::RowReader& reader, int outFd, int errFd,
                         const reading::InputReading& input, ThreadStarter startThread)
    : reader_(reader), input_(input), outFd_(outFd), errFd_(errFd), startThread_(startThread) {}

BatchOutcome BatchRunner::Run(int inFd, std::string_view source, const std::string* header) const {
  std::vector<Slot> ring(2 * WorkerCount());
  const std::vector<std::jthread> threads = StartWorkers(startThread_, reader_, ring);
  reading::ChunkReader input(inFd, input_.encoding);
  InputStart start(reader_, {input_.skipLines, header, false});
  BatchOutcome outcome;
  // The decimal mark the pieces written so far settled (piece.h).
  reading::DecimalMark mark = reading::DecimalMark::kUnknown;
  std::size_t filled = 0;
  std::size_t written = 0;
  std::size_t linesWritten = 0;
  bool inputLeft = true;
  while (true) {
    // Fill the free slots with what has arrived; wait for more input only
    // when every answer is written, so that a row is answered before the
    // next is waited for.
    while (inputLeft && filled - written < ring.size() && outcome.writeError == 0) {
      Slot& slot = ring[filled % ring.size()];
      const reading::ChunkReader::Got got = input.Next(slot.piece.input, filled == written);
      if (got == reading::ChunkReader::Got::kNotYet) break;
      inputLeft = got == reading::ChunkReader::Got::kPiece;
      if (!inputLeft) break;
      slot.piece.startsInput = input.startsInput();
      start.Prepare(slot.piece);
      if (threads.empty()) AnswerPiece(reader_, slot.piece);
      SetState(slot, threads.empty() ? kAnswered : kFilled);
      ++filled;
    }
    if (written == filled) break;
    Slot& slot = ring[written % ring.size()];
    AwaitStateOtherThan(slot, kFilled);
    Piece& piece = slot.piece;
    // A row that took the mark of the rows before it, which the pieces
    // before this one settled, is read again with that mark (rare: a comma
    // that may group thousands, in a row that does not settle it itself).
    if (piece.startsInput) mark = reading::DecimalMark::kUnknown;
    if (piece.usesFileMark && mark != reading::DecimalMark::kUnknown && mark != piece.startMark) {
      AnswerPiece(reader_, piece, mark);
    }
    if (mark == reading::DecimalMark::kUnknown) mark = piece.foundMark;
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
  if (outcome.writeError == 0 && input.failed() == 0) {
    std::string held;
    start.Finish(held);
    outcome.writeError = WriteAll(outFd_, held);
  }
  outcome.readError = input.failed();
  outcome.refused = input.refused();
  outcome.headerWritten = start.headerWritten();
  return outcome;
}

}  // namespace calc
