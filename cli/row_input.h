#pragma once

// The inputs of the modes that answer once every row is read (orient,
// freestation, traverse, level): each file in turn ("-": standard input),
// or the values given on the command line, one row each, handed to a
// collector of rows line by line with the place each line is named by in
// messages ("stdin:3", "value 2"). The collector has Start(),
// StartJoined(), Add(line, where) and Finish().

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "reader/rows/input_reading.h"
#include "reader/text/chunk_reader.h"
#include "reader/text/file_open.h"

namespace calc {

// Reads the input `file` into `rows`; "" or what keeps it from being read.
template <typename Rows>
std::string ReadRowInput(const std::string& file, const reading::InputReading& reading,
                         Rows& rows) {
  const bool isStdin = file == "-";
  const std::string source = isStdin ? "stdin" : file;
  const int fd = isStdin ? STDIN_FILENO : reading::OpenToRead(file);
  if (fd < 0) return "cannot open " + file + ": " + std::strerror(errno);
  reading::ChunkReader input(fd, reading.encoding);
  rows.Start();
  std::string piece;
  std::size_t number = 0;
  while (input.Next(piece) == reading::ChunkReader::Got::kPiece) {
    if (input.startsInput()) rows.StartJoined();
    for (std::size_t at = 0; at < piece.size();) {
      const std::size_t end = piece.find('\n', at);
      rows.Add(std::string_view(piece).substr(at, end - at),
               source + ":" + std::to_string(++number));
      at = end + 1;
    }
  }
  if (!isStdin) close(fd);
  if (input.failed() != 0) return "cannot read " + source + ": " + std::strerror(input.failed());
  if (!input.refused().empty()) return source + ": " + input.refused();
  return {};
}

// Reads the values, one row each, else every file (standard input without
// any) into `rows`; "" or the problem that stops it.
template <typename Rows>
std::string ReadRowInputs(const std::vector<std::string>& values,
                          const std::vector<std::string>& files,
                          const reading::InputReading& reading, Rows& rows) {
  if (!values.empty()) {
    rows.Start();
    for (std::size_t i = 0; i < values.size(); ++i)
      rows.Add(values[i], "value " + std::to_string(i + 1));
    rows.Finish();
    return {};
  }
  const std::vector<std::string> stdinOnly = {"-"};
  for (const std::string& file : files.empty() ? stdinOnly : files) {
    if (std::string problem = ReadRowInput(file, reading, rows); !problem.empty()) return problem;
  }
  rows.Finish();
  return {};
}

}  // namespace calc
