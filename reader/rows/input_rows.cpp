#include "reader/rows/input_rows.h"

#include "reader/text/shown_text.h"
#include "reader/text/undecoded_line.h"

namespace reading {

void AppendSkippedLine(std::string_view line, std::string& out) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (UndecodedLine undecoded; FindUndecoded(line, undecoded)) line = undecoded.bytes;
  AppendCopied(out, line);
  out += '\n';
}

InputRows::InputRows(const RowReader& reader, InputOptions options)
    : reader_(&reader), options_(options) {}

void InputRows::ReadLine(std::string_view line, LineAnswer& answer, const RowPlace& place) const {
  if (options_.knownPoints) {
    reader_->ReadKnownPoint(line, answer, place);
  } else {
    reader_->Read(line, answer, place);
  }
}

bool InputRows::Read(std::string_view line, LineAnswer& answer, std::string& out) {
  const std::size_t number = ++lines_;
  if (number <= options_.skipLines) {
    AppendSkippedLine(line, out);
    return false;
  }
  ReadLine(line, answer, {rowSeen_ ? 0 : number, mark_});
  if (mark_ == DecimalMark::kUnknown) mark_ = answer.ownMark;
  if (answer.kind == LineAnswer::Kind::kError && answer.mayBePreamble) {
    // In its place, after what is held; the first row is still to come.
    out += heldHeading_;
    out += heldAfter_;
    heldHeading_.clear();
    heldAfter_.clear();
    holding_ = false;
    return true;
  }
  if (answer.kind != LineAnswer::Kind::kCopied) {
    if (!rowSeen_) {
      rowSeen_ = true;
      if (options_.header != nullptr && !headerWritten_) WriteHeaderLines(answer, out);
    }
    return true;
  }
  const bool waits = !rowSeen_ && options_.header != nullptr && !headerWritten_;
  const bool heading = waits && !IsBlankOrComment(line);
  if (heading) {
    // An earlier heading was not the header: it goes out as it is.
    out += heldHeading_;
    out += heldAfter_;
    heldHeading_.clear();
    heldAfter_.clear();
    holding_ = true;
  }
  std::string& to = heading ? heldHeading_ : holding_ ? heldAfter_ : out;
  reader_->AppendLine(answer, to);
  to += '\n';
  if (heading) heldAnswer_ = answer;
  return false;
}

// The --header lines, in the place of the heading held where there is one,
// then the lines held after it.
void InputRows::WriteHeaderLines(const LineAnswer& row, std::string& out) {
  if (options_.writeHeader) {
    options_.writeHeader(row, out);
  } else {
    reader_->AppendHeaderLines(*options_.header, row, out);
  }
  out += heldAfter_;
  heldHeading_.clear();
  heldAfter_.clear();
  holding_ = false;
  headerWritten_ = true;
}

void InputRows::Finish(std::string& out) {
  if (holding_) WriteHeaderLines(heldAnswer_, out);
}

void InputRows::StartInput(std::string& out) {
  Finish(out);
  lines_ = 0;
  rowSeen_ = false;
  mark_ = DecimalMark::kUnknown;
}

}  // namespace reading
