#include "cli/input_start.h"

#include <string_view>

namespace calc {

void InputStart::Prepare(Piece& piece) {
  piece.output.clear();
  piece.errors.clear();
  piece.answered = 0;
  if (piece.startsInput) rows_.StartInput(piece.output);
  reading::LineAnswer answer;
  for (std::size_t at = 0; !rows_.rowSeen() && at < piece.input.size(); ++piece.answered) {
    const std::size_t end = piece.input.find('\n', at);
    const std::string_view line = std::string_view(piece.input).substr(at, end - at);
    at = end + 1;
    if (!rows_.Read(line, answer, piece.output)) continue;
    const std::size_t begin = piece.output.size();
    reader_.AppendLine(answer, piece.output);
    if (answer.kind == reading::LineAnswer::Kind::kError) {
      piece.errors.push_back({piece.answered, begin, piece.output.size()});
    }
    piece.output += '\n';
  }
  piece.answeredBytes = piece.output.size();
  piece.answeredErrors = piece.errors.size();
  piece.startMark = rows_.mark();
}

}  // namespace calc
