#include "reader/text/chunk_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

#include "reader/rows/row_reader.h"

namespace {

using reading::ChunkReader;

#ifdef _WIN32
// Windows' pipes, in binary mode as the tool reads its input.
int pipe(int ends[2]) { return _pipe(ends, 1 << 16, _O_BINARY); }
#endif

void WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t put = write(fd, data.data(), data.size());
    ASSERT_GT(put, 0);
    data.remove_prefix(static_cast<std::size_t>(put));
  }
}

// Feeds `input` through a pipe and returns every piece read from it.
std::vector<std::string> Pieces(const std::string& input) {
  int ends[2];
  EXPECT_EQ(pipe(ends), 0);
  std::thread feeder([&] {
    WriteAll(ends[1], input);
    close(ends[1]);
  });
  ChunkReader reader(ends[0]);
  std::vector<std::string> pieces;
  std::string piece;
  while (reader.Next(piece) == ChunkReader::Got::kPiece) pieces.push_back(piece);
  EXPECT_EQ(reader.failed(), 0);
  feeder.join();
  close(ends[0]);
  return pieces;
}

std::string Joined(const std::vector<std::string>& pieces) {
  std::string all;
  for (const std::string& piece : pieces) {
    EXPECT_EQ(piece.back(), '\n');
    EXPECT_LE(piece.size(), ChunkReader::kChunkBytes + reading::kMaxLineChars + 3);
    all += piece;
  }
  return all;
}

TEST(ChunkReader, PiecesAreWholeLinesThatAddUpToTheInput) {
  std::string input;
  for (int i = 0; i < 50000; ++i) {
    input += "P" + std::to_string(i) + " 1000 2000 45.3025 100\r\n";
  }
  const auto pieces = Pieces(input);
  EXPECT_GT(pieces.size(), 10u);
  EXPECT_EQ(Joined(pieces), input);
}

TEST(ChunkReader, ALastLineWithoutLineEndGetsOne) {
  EXPECT_EQ(Joined(Pieces("1 2 3 4\n5 6 7 8")), "1 2 3 4\n5 6 7 8\n");
  EXPECT_TRUE(Pieces("").empty());
  EXPECT_EQ(Joined(Pieces("\n\n")), "\n\n");
}

TEST(ChunkReader, APieceSaysWhereAJoinedInputStarts) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  WriteAll(ends[1], "P1 1 2\r\n\xEF\xBB\xBFP3 3 4\r\n");
  close(ends[1]);
  ChunkReader reader(ends[0]);
  std::string piece;
  ASSERT_EQ(reader.Next(piece), ChunkReader::Got::kPiece);
  EXPECT_EQ(piece, "P1 1 2\r\n");
  EXPECT_FALSE(reader.startsInput());
  ASSERT_EQ(reader.Next(piece), ChunkReader::Got::kPiece);
  EXPECT_EQ(piece, "P3 3 4\r\n");
  EXPECT_TRUE(reader.startsInput());
  close(ends[0]);
}

TEST(ChunkReader, OverlongLinesAreCutAndTheirRestSkipped) {
  const std::string longest(reading::kMaxLineChars, 'x');
  const std::string tooLong(3 * ChunkReader::kChunkBytes, 'y');
  const std::string input = "a\n" + longest + "\r\n" + tooLong + "\nb\n" + tooLong + "z\r\nc";
  const std::string cut(reading::kMaxLineChars + 2, 'y');
  EXPECT_EQ(Joined(Pieces(input)), "a\n" + longest + "\r\n" + cut + "\nb\n" + cut + "\nc\n");
}

TEST(ChunkReader, WithoutWaitingItHandsOutOnlyLinesThatHaveArrived) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ChunkReader reader(ends[0]);
  std::string piece;
  using Got = ChunkReader::Got;
  EXPECT_EQ(reader.Next(piece, false), Got::kNotYet);
  WriteAll(ends[1], "1 2 3 4\n5 6");
  EXPECT_EQ(reader.Next(piece, false), Got::kPiece);
  EXPECT_EQ(piece, "1 2 3 4\n");
  EXPECT_EQ(reader.Next(piece, false), Got::kNotYet);  // half a line
  WriteAll(ends[1], " 7 8\n9");
  EXPECT_EQ(reader.Next(piece, false), Got::kPiece);
  EXPECT_EQ(piece, "5 6 7 8\n");
  close(ends[1]);
  EXPECT_EQ(reader.Next(piece, false), Got::kPiece);
  EXPECT_EQ(piece, "9\n");
  EXPECT_EQ(reader.Next(piece, false), Got::kEnd);
  EXPECT_EQ(reader.failed(), 0);
  close(ends[0]);
}

}  // namespace
