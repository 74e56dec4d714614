#include "reader/text_lines.h"

namespace reading {

bool TextLines::Add(std::string_view bytes) {
  if (decoder_.PassesThrough()) {
    buffer_ += bytes;
    return true;
  }
  return decoder_.Decode(bytes, buffer_);
}

char* TextLines::Space(std::size_t size) {
  // UTF-8 goes straight into the text; anything else is decoded from raw_.
  std::string& target = decoder_.PassesThrough() ? buffer_ : raw_;
  spaceAt_ = target.size();
  target.resize(spaceAt_ + size);
  return target.data() + spaceAt_;
}

bool TextLines::Added(std::size_t count) {
  if (decoder_.PassesThrough()) {
    buffer_.resize(spaceAt_ + count);
    return true;
  }
  raw_.resize(spaceAt_ + count);
  const bool decoded = decoder_.Decode(raw_, buffer_);
  raw_.clear();
  return decoded;
}

bool TextLines::End() {
  ended_ = true;
  return decoder_.Finish(buffer_);
}

bool TextLines::Take(std::string& piece) {
  if (skipping_) {
    const std::size_t newline = buffer_.find('\n');
    if (newline == std::string::npos) {
      buffer_.clear();
      if (ended_) skipping_ = false;
      return false;
    }
    buffer_.erase(0, newline + 1);
    skipping_ = false;
  }
  const std::size_t lastNewline = buffer_.rfind('\n');
  if (lastNewline != std::string::npos) {
    // The lines change places with the piece; only the rest is copied.
    piece.swap(buffer_);
    buffer_.assign(piece, lastNewline + 1);
    piece.resize(lastNewline + 1);
    return true;
  }
  if (buffer_.size() > kMaxLineChars + 1) {  // room for a "\r"
    // Two characters past the limit: still too long once a "\r" is dropped.
    piece.assign(buffer_, 0, kMaxLineChars + 2);
    piece.push_back('\n');
    buffer_.clear();
    skipping_ = !ended_;
    return true;
  }
  if (ended_ && !buffer_.empty()) {
    piece.swap(buffer_);
    piece.push_back('\n');
    buffer_.clear();
    return true;
  }
  return false;
}

}  // namespace reading
