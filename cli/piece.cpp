#include "cli/piece.h"

#include <cstring>

#include "reader/input_rows.h"

namespace calc {

void AnswerPiece(const reading::RowReader& reader, Piece& piece) {
  piece.output.clear();
  piece.errors.clear();
  piece.lines = 0;
  // One answer for every line, so that its strings keep their room.
  reading::LineAnswer answer;
  const char* at = piece.input.data();
  const char* const end = at + piece.input.size();
  for (; at < end; ++piece.lines) {
    const auto* newline = static_cast<const char*>(std::memchr(at, '\n', end - at));
    const char* lineEnd = newline != nullptr ? newline : end;
    const std::string_view line(at, lineEnd - at);
    at = lineEnd + 1;
    std::size_t begin = 0;
    const reading::LineOutcome outcome = reading::AppendAnswer(
        reader, line, piece.lines == piece.firstRow, piece.header, answer, piece.output, begin);
    if (outcome == reading::LineOutcome::kReplaced) continue;
    if (outcome == reading::LineOutcome::kFailed) {
      piece.errors.push_back({piece.lines, begin, piece.output.size()});
    }
    piece.output.push_back('\n');
  }
}

}  // namespace calc
