#include "reader/text/text_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "reader/text/file_open.h"

namespace reading {

std::string FileErrorText(const FileError& error) {
  switch (error.what) {
    case FileError::What::kCannotOpen:
      return "cannot open " + error.path + ": " + std::strerror(error.error);
    case FileError::What::kCannotRead:
      return "cannot read " + error.path + ": " + std::strerror(error.error);
    case FileError::What::kRefused:
      return error.path + ": " + RefusalText(error.refusal);
    case FileError::What::kNotText:
      return error.path + ": NUL bytes: not a text file";
    case FileError::What::kRow:
      return error.path + ":" + std::to_string(error.line) + ": " + error.row;
    case FileError::What::kNone:
      break;
  }
  return {};
}

TextFile::TextFile(std::string path, bool textOnly, std::optional<TextEncoding> encoding)
    : textOnly_(textOnly) {
  error_.path = std::move(path);
  fd_ = OpenToRead(error_.path);
  if (fd_ < 0) {
    error_.what = FileError::What::kCannotOpen;
    error_.error = errno;
    return;
  }
  size_ = OpenFileSize(fd_);
  chunks_.emplace(fd_, encoding);
}

TextFile::~TextFile() {
  if (fd_ >= 0) close(fd_);
}

bool TextFile::NextLine(std::string_view& line) {
  if (at_ >= piece_.size() && !NextPiece()) return false;
  startsInput_ = at_ == 0 && pieceStartsInput_;
  const std::size_t end = piece_.find('\n', at_);  // every piece ends in "\n"
  line = std::string_view(piece_).substr(at_, end - at_);
  at_ = end + 1;
  return true;
}

// The next piece of whole lines; false at the end or where reading stops.
bool TextFile::NextPiece() {
  piece_.clear();
  at_ = 0;
  if (!chunks_ || error_) return false;
  if (chunks_->Next(piece_) == ChunkReader::Got::kPiece) {
    pieceStartsInput_ = chunks_->startsInput();
    if (!textOnly_ || piece_.find('\0') == std::string::npos) return true;
    error_.what = FileError::What::kNotText;
  } else if (chunks_->failed() != 0) {
    error_.what = FileError::What::kCannotRead;
    error_.error = chunks_->failed();
  } else if (chunks_->refusal() != Refusal::kNone) {
    error_.what = FileError::What::kRefused;
    error_.refusal = chunks_->refusal();
  }
  piece_.clear();
  return false;
}

}  // namespace reading
