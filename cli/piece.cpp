#include "cli/piece.h"

#include <cstring>

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
    const bool firstRow = piece.lines == piece.firstRow;
    std::size_t begin = piece.output.size();
    bool answered = true;
    if (firstRow && piece.header != nullptr) {
      reader.Read(line, answer, firstRow);
      if (reader.AppendHeaderLines(*piece.header, answer, piece.output)) continue;
      begin = piece.output.size();
      reader.AppendLine(answer, piece.output);
      answered = answer.kind != reading::LineAnswer::Kind::kError;
    } else {
      answered = reader.AnswerLine(line, answer, piece.output, firstRow);
    }
    if (!answered) piece.errors.push_back({piece.lines, begin, piece.output.size()});
    piece.output.push_back('\n');
  }
}

}  // namespace calc
