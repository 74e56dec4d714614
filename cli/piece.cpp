#include "cli/piece.h"

#include <cstring>

namespace calc {

void AnswerPiece(const reading::RowReader& reader, Piece& piece) {
  piece.output.clear();
  piece.errors.clear();
  piece.lines = 0;
  const char* at = piece.input.data();
  const char* const end = at + piece.input.size();
  while (at < end) {
    const auto* newline = static_cast<const char*>(std::memchr(at, '\n', end - at));
    const char* line_end = newline != nullptr ? newline : end;
    const std::size_t begin = piece.output.size();
    if (!reader.AnswerLine(std::string_view(at, line_end - at), piece.output,
                           piece.lines == piece.firstRow)) {
      piece.errors.push_back({piece.lines, begin, piece.output.size()});
    }
    piece.output.push_back('\n');
    ++piece.lines;
    at = line_end + 1;
  }
}

}  // namespace calc
