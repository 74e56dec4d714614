#include "reader/text/text_lines.h"

#include <algorithm>

#include "reader/text/encoding_vote.h"
#include "reader/text/line_kind.h"
#include "reader/text/line_scan.h"
#include "reader/text/undecoded_line.h"
#include "reader/text/utf8_check.h"

namespace reading {
namespace {

constexpr char kCtrlZ = '\x1A';

}  // namespace

TextLines::TextLines(std::optional<TextEncoding> named) : decoder_(named), named_(named) {}

bool TextLines::Add(std::string_view bytes) {
  if (refusal_ != Refusal::kNone) return false;
  if (decoder_.PassesThrough()) {
    buffer_ += bytes;
    return true;
  }
  return decoder_.Decode(bytes, buffer_);
}

char* TextLines::Space(std::size_t size) {
  // Bytes passed on go straight into the text; anything else is decoded
  // from raw_.
  std::string& target = decoder_.PassesThrough() ? buffer_ : raw_;
  spaceAt_ = target.size();
  target.resize(spaceAt_ + size);
  return target.data() + spaceAt_;
}

bool TextLines::Added(std::size_t count) {
  if (decoder_.PassesThrough()) {
    buffer_.resize(spaceAt_ + count);
    return refusal_ == Refusal::kNone;
  }
  raw_.resize(spaceAt_ + count);
  const bool decoded = refusal_ == Refusal::kNone && decoder_.Decode(raw_, buffer_);
  raw_.clear();
  return decoded;
}

bool TextLines::End() {
  ended_ = true;
  if (!decoder_.Finish(buffer_) || refusal_ != Refusal::kNone) return false;
  if (!buffer_.empty() && buffer_.back() == kCtrlZ) buffer_.pop_back();
  return true;
}

bool TextLines::Take(std::string& piece) {
  if (refusal_ != Refusal::kNone || !decoder_.Decided()) return false;
  if (afterCr_ && !buffer_.empty()) {
    if (buffer_[0] == '\n') buffer_.erase(0, 1);  // the LF of a CRLF that came in two reads
    afterCr_ = false;
  }
  if (skipping_ && !SkipRest()) return false;
  if (!encoding_) {
    // A byte-order mark, or the encoding named, if either says.
    const std::optional<TextEncoding> start = decoder_.encoding() ? decoder_.encoding() : named_;
    if (start && !UseEncoding(*start)) return false;
  }
  while (buffer_.starts_with(kUtf8Mark)) StartInput();
  std::size_t last = buffer_.find_last_of("\r\n");
  if (last == std::string::npos && ended_ && !buffer_.empty()) {
    // The last line, which the input ended (once the lines before it and a
    // mark at its start are taken: a mark alone opens no line).
    buffer_ += '\n';
    last = buffer_.size() - 1;
  }
  if (last == std::string::npos) {
    if (buffer_.size() <= kMaxLineChars + 1) return false;
    TakeCut(piece);
  } else {
    std::size_t end = last + 1;
    if (!encoding_ && !Sample(end)) return false;
    if (!ReadLines(end, piece)) return false;
  }
  startsInput_ = newInput_;
  newInput_ = false;
  return true;
}

// Drops the rest of an overlong line, up to its line end; false while that
// has not come.
bool TextLines::SkipRest() {
  const std::size_t lineEnd = buffer_.find_first_of("\r\n");
  if (lineEnd == std::string::npos) {
    buffer_.clear();
    if (ended_) skipping_ = false;
    return false;
  }
  const std::size_t past = PastLineEnd(buffer_.data(), lineEnd, buffer_.size());
  afterCr_ = past == buffer_.size() && buffer_.back() == '\r';
  buffer_.erase(0, past);
  skipping_ = false;
  return true;
}

// Hands out the start of a line too long to be whole: two characters past
// the limit, still too long once a "\r" is dropped. The rest is skipped.
void TextLines::TakeCut(std::string& piece) {
  piece.assign(buffer_, 0, kMaxLineChars + 2);
  piece.push_back('\n');
  buffer_.clear();
  skipping_ = true;
}

// Drops the byte-order mark at the start of buffer_: a new input starts,
// in the mark's encoding.
void TextLines::StartInput() {
  buffer_.erase(0, kUtf8Mark.size());
  newInput_ = true;
  found_ = false;
  if (decoder_.PassesThrough()) UseEncoding(TextEncoding::kUtf8);
}

// Reads the lines in `encoding` from now on. False when they cannot be
// converted here (error() says why).
bool TextLines::UseEncoding(TextEncoding encoding) {
  encoding_ = encoding;
  converter_.reset();
  if (!decoder_.PassesThrough() || encoding == TextEncoding::kUtf8) return true;
  converter_ = std::make_unique<LineConverter>(encoding);
  if (converter_->usable()) return true;
  refusal_ = Refusal::kNoConverter;
  return false;
}

// Where the encoding is neither marked nor named: decides it once the
// lines that tell are there, else limits `end` to the lines before them
// (ASCII, handed out as they come). False where no line can be handed out
// yet, or the encoding cannot be converted here.
bool TextLines::Sample(std::size_t& end) {
  const char* const text = buffer_.data();
  const std::size_t high = FindHigh(text, 0, end);
  if (high == end) return true;  // ASCII alone so far
  std::size_t from = high;
  while (from > 0 && !IsLineEnd(text[from - 1])) --from;
  if (!ended_ && buffer_.size() - from < kEncodingSample &&
      !std::string_view(text + from, end - from).starts_with(kUtf8Mark)) {
    end = from;
    return end > 0;
  }
  return Decide(from, end);
}

// Decides the encoding from the lines of buffer_[from, end) that end within
// kEncodingSample bytes of `from` (all of them once the input has ended), up
// to a byte-order mark that starts a line (a new input). False when the
// encoding cannot be converted here.
bool TextLines::Decide(std::size_t from, std::size_t end) {
  const char* const text = buffer_.data();
  const std::size_t limit = ended_ ? end : std::min(end, from + kEncodingSample);
  EncodingVote vote;
  std::size_t at = from;
  while ((at = FindHigh(text, at, limit)) < limit) {
    std::size_t lineStart = at;
    while (lineStart > from && !IsLineEnd(text[lineStart - 1])) --lineStart;
    if (std::string_view(text + lineStart, end - lineStart).starts_with(kUtf8Mark)) break;
    const std::size_t lineEnd = LineEndFrom(text, at);
    if (lineEnd >= limit) break;  // a line that ends past the sample
    vote.Count(std::string_view(text + lineStart, lineEnd - lineStart));
    at = lineEnd;
  }
  found_ = true;
  const TextEncoding encoding = vote.Decision();
  if (encoding == TextEncoding::kUtf8 || !vote.converter()) return UseEncoding(encoding);
  // The converter that tried the lines, with what it learnt of their characters.
  encoding_ = encoding;
  converter_ = vote.TakeConverter();
  if (converter_->usable()) return true;
  refusal_ = Refusal::kNoConverter;
  return false;
}

// Hands out the lines of buffer_[0, end) in `piece`, up to the first that
// starts a new input: a lone CR followed by an LF, ASCII lines as they are,
// other lines checked as UTF-8 or converted; a line that is no text in the
// encoding marked. False when the encoding cannot be converted here.
bool TextLines::ReadLines(std::size_t end, std::string& piece) {
  LineScan scan{buffer_.data(), end, out_};
  scan.cr = FindCr(scan.text, 0, end);
  while ((scan.at = scan.FindHighOrCr()) < scan.end) {
    if (scan.text[scan.at] == '\r') {
      PassCr(scan);
      continue;
    }
    if (StartsInput(scan)) {
      scan.end = scan.at;  // a new input: it starts the next piece
      break;
    }
    scan.hit = scan.at;
    scan.lineStart = scan.lineEnd = 0;
    const bool passed = converter_ == nullptr
                            ? PassUtf8(scan, found_)
                            : PassConverted(scan, found_, *converter_, scratch_);
    if (!passed) MarkLine(scan, encoding_);
  }
  end = scan.end;
  afterCr_ = end == buffer_.size() && buffer_[end - 1] == '\r';
  if (!scan.copying) {
    // The lines change places with the piece; only the rest is copied.
    piece.swap(buffer_);
    buffer_.assign(piece, end);
    piece.resize(end);
    return true;
  }
  scan.CopyTo(end);
  piece.swap(out_);
  buffer_.erase(0, end);
  return true;
}

}  // namespace reading
