#pragma once

// Computes every line of an input stream and writes the answers in input
// order. Pieces of lines are read by the calling thread, answered by worker
// threads (one per core, at most two) and written back in order by the
// calling thread; a fixed number of pieces is in flight, so memory stays the
// same whatever the input size. Where no thread can be started, the calling
// thread answers the pieces itself.

#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "reader/rows/input_reading.h"
#include "reader/rows/row_reader.h"

namespace calc {

struct BatchOutcome {
  bool rowsFailed = false;     // some line was answered with an "ERROR: " line
  bool headerWritten = false;  // the --header lines were written
  int readError = 0;           // errno of a failed read, 0 when none
  int writeError = 0;          // errno of a failed write, 0 when none
  std::string refused;         // why the input's encoding is refused, if it is
};

// Starts a thread that runs `work`; throws std::system_error when it cannot.
using ThreadStarter = std::jthread (*)(std::function<void()> work);

std::jthread StartThread(std::function<void()> work);

class BatchRunner {
 public:
  // `input`: how every input is read (its encoding, --skip-lines).
  BatchRunner(const reading::RowReader& reader, int outFd, int errFd,
              const reading::InputReading& input = {}, ThreadStarter startThread = StartThread);

  // Answers the stream `inFd`; errors go to errFd as
  // "corvane-calc: SOURCE:LINE: what is wrong". `header`: the --header
  // comment line, where the --header lines are to go before this input's
  // first row; nullptr where not.
  BatchOutcome Run(int inFd, std::string_view source, const std::string* header = nullptr) const;

 private:
  const reading::RowReader& reader_;
  reading::InputReading input_;
  int outFd_;
  int errFd_;
  ThreadStarter startThread_;
};

// Writes all of `data` to `fd`; returns 0 or the errno of the failure.
int WriteAll(int fd, std::string_view data);

}  // namespace calc
