#include "cli/piece.h"

#include <cstring>

namespace calc {

void AnswerPiece(const reading::RowReader& reader, Piece& piece, reading::DecimalMark startMark) {
  piece.output.resize(piece.answeredBytes);
  piece.errors.resize(piece.answeredErrors);
  piece.lines = 0;
  piece.usesFileMark = false;
  reading::RowPlace place{
      0, startMark != reading::DecimalMark::kUnknown ? startMark : piece.startMark};
  // One answer for every line, so that its strings keep their room.
  reading::LineAnswer answer;
  const char* at = piece.input.data();
  const char* const end = at + piece.input.size();
  for (; at < end; ++piece.lines) {
    const auto* newline = static_cast<const char*>(std::memchr(at, '\n', end - at));
    const char* lineEnd = newline != nullptr ? newline : end;
    const std::string_view line(at, lineEnd - at);
    at = lineEnd + 1;
    if (piece.lines < piece.answered) continue;
    const std::size_t begin = piece.output.size();
    if (!reader.AnswerLine(line, answer, piece.output, place)) {
      piece.errors.push_back({piece.lines, begin, piece.output.size()});
    }
    piece.output.push_back('\n');
    if (place.fileMark == reading::DecimalMark::kUnknown) place.fileMark = answer.ownMark;
    piece.usesFileMark = piece.usesFileMark || answer.markFromFile;
  }
  piece.foundMark = place.fileMark;
}

}  // namespace calc
