#include "cli/batch_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <sys/mman.h>
#endif

#include <filesystem>
#include <string>
#include <system_error>

namespace {

using calc::BatchRunner;

#ifdef _WIN32
// A file of its own that goes when it is closed.
int NewFile() {
  static int count = 0;
  const std::string name =
      "corvane-batch-" + std::to_string(_getpid()) + "-" + std::to_string(count++);
  return _open((std::filesystem::temp_directory_path() / name).string().c_str(),
               _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY | _O_TEMPORARY, _S_IREAD | _S_IWRITE);
}
#else
int NewFile() { return memfd_create("batch", 0); }
#endif

// A file in memory holding `text`, read from its start.
int MemoryFile(const std::string& text) {
  const int fd = NewFile();
  EXPECT_EQ(calc::WriteAll(fd, text), 0);
  lseek(fd, 0, SEEK_SET);
  return fd;
}

std::string Contents(int fd) {
  std::string text(static_cast<std::size_t>(lseek(fd, 0, SEEK_END)), '\0');
  lseek(fd, 0, SEEK_SET);
  EXPECT_EQ(read(fd, text.data(), static_cast<unsigned>(text.size())),
            static_cast<ssize_t>(text.size()));
  return text;
}

struct Batch {
  std::string out;
  std::string err;
  calc::BatchOutcome outcome;
};

Batch RunBatch(const std::string& input, calc::ThreadStarter start) {
  reading::RowSettings settings;
  settings.mode = reading::Mode::kInverse;
  const reading::RowReader reader(settings);
  const int in = MemoryFile(input);
  const int out = MemoryFile("");
  const int err = MemoryFile("");
  Batch run;
  run.outcome = BatchRunner(reader, out, err, {}, start).Run(in, "rows");
  run.out = Contents(out);
  run.err = Contents(err);
  close(in);
  close(out);
  close(err);
  return run;
}

std::jthread NoThread(std::function<void()>) {
  throw std::system_error(EAGAIN, std::generic_category());
}

// Starts the first thread it is asked for, then no more.
int started = 0;
std::jthread OneThread(std::function<void()> work) {
  if (started++ > 0) NoThread(work);
  return std::jthread(std::move(work));
}

TEST(BatchRunner, WithoutThreadsTheCallingThreadAnswersEveryRow) {
  std::string input;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {  // many pieces
    input += "P" + std::to_string(i) + " 0 0 " + std::to_string(i % 5) + " 0\n";
    expected += i % 5 == 0
                    ? "ERROR: P" + std::to_string(i) + ": identical points\n"
                    : "P" + std::to_string(i) + " 0.000000 " + std::to_string(i % 5) + ".000000\n";
  }
  for (const calc::ThreadStarter start : {&NoThread, &OneThread}) {
    started = 0;
    const Batch run = RunBatch(input, start);
    EXPECT_TRUE(run.out == expected);
    EXPECT_TRUE(run.outcome.rowsFailed);
    EXPECT_EQ(run.outcome.readError, 0);
    EXPECT_EQ(run.outcome.writeError, 0);
    EXPECT_EQ(run.err.rfind("corvane-calc: rows:1: P0: identical points\n", 0), 0u);
  }
}

// A comma that may group thousands, in a row that does not settle it,
// reads as the first row that shows a mark settled it, however many pieces
// away (the later pieces are answered apart, on other threads, and the
// input's first row shows none).
TEST(BatchRunner, ACommaThatMayBeEitherReadsAsTheFirstRowThatShowsAMarkSettledIt) {
  // A decimal point in the second row: commas group thousands.
  std::string input = "P 0 0 100 0\nP0 0 0 100.5 0\n";
  std::string expected = "P 0.000000 100.000000\nP0 0.000000 100.500000\n";
  for (int i = 0; i < 10000; ++i) {  // no mark in these
    input += "P 0 0 100 0\n";
    expected += "P 0.000000 100.000000\n";
  }
  input += "P1;0;0;\"1,000\";0\n";
  expected += "P1;0.000000;1000.000000\n";
  for (const calc::ThreadStarter start : {&NoThread, &calc::StartThread}) {
    const Batch run = RunBatch(input, start);
    EXPECT_TRUE(run.out == expected) << run.out.substr(run.out.size() - 100);
    EXPECT_FALSE(run.outcome.rowsFailed);
  }
}

}  // namespace
