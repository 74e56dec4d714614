#pragma once

// A coordinate file read by its path, line by line, as ChunkReader hands out
// its pieces: decoded, overlong lines cut, and memory that does not grow with
// the file. What keeps a file from being read is a value (FileError) that
// each caller words in its own terms: corvane-calc in English, the
// program's setting-out window in Chinese.
//
//   TextFile file(path);
//   std::string_view line;
//   while (file.NextLine(line)) { /* one line, without its "\n" */ }
//   if (file.error()) { /* why it stopped early */ }

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "reader/text/chunk_reader.h"

namespace reading {

// What keeps a file from being read.
struct FileError {
  enum class What : unsigned char {
    kNone,
    kCannotOpen,  // `error` is the errno
    kCannotRead,  // `error` is the errno
    kRefused,     // its encoding is refused: `refusal`
    kNotText,     // a NUL byte: no coordinate file holds one
    kRow,         // a row that must read does not: line `line`, `row` says why
  };
  // kRow: the row is no text in the file's encoding (undecoded_line.h).
  bool undecoded = false;
  What what = What::kNone;
  std::string path;  // the file as its reader was given it
  int error = 0;
  Refusal refusal = Refusal::kNone;
  std::size_t line = 0;  // from 1
  std::string row;       // what the row's "ERROR: " line says after the prefix

  explicit operator bool() const { return what != What::kNone; }
};

// The tool's words, one line: "cannot open ctl.dat: No such file or
// directory", "ctl.dat: UTF-32 text is not read: ...", "ctl.dat:3: A2: Y is
// not a number: \"x\"".
std::string FileErrorText(const FileError& error);

class TextFile {
 public:
  // Opens `path` (its bytes, as the file system has them) for reading;
  // where it cannot be, NextLine() gives nothing and error() says why.
  // `textOnly`: a NUL byte stops the reading at once (kNotText), as soon as
  // it is read. `encoding`: of a file without a byte-order mark; none to
  // find it (text_lines.h).
  explicit TextFile(std::string path, bool textOnly = false,
                    std::optional<TextEncoding> encoding = std::nullopt);
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // The next line, without its "\n": a view that lives until the next call.
  // False at the end of the file, or where it cannot be read on.
  bool NextLine(std::string_view& line);

  // The encoding the file is read in; none while only ASCII has come.
  std::optional<TextEncoding> encoding() const {
    return chunks_ ? chunks_->encoding() : std::nullopt;
  }

  // Whether the line last given starts a new input: files joined into one,
  // a byte-order mark at its start (input_rows.h).
  bool startsInput() const { return startsInput_; }

  // kNone while the file reads and once it has ended; else why it stopped.
  const FileError& error() const { return error_; }

  // The file's size when it was opened, and how many of its bytes are read.
  std::uint64_t size() const { return size_; }
  std::uint64_t bytesRead() const { return chunks_ ? chunks_->bytesRead() : 0; }

 private:
  bool NextPiece();

  int fd_ = -1;
  bool textOnly_;
  std::optional<ChunkReader> chunks_;
  std::uint64_t size_ = 0;
  std::string piece_;
  std::size_t at_ = 0;  // the next line's start in piece_
  bool pieceStartsInput_ = false;
  bool startsInput_ = false;
  FileError error_;
};

}  // namespace reading
