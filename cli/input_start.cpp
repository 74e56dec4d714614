#include "cli/input_start.h"

#include <string_view>

namespace calc {

void InputStart::Prepare(Piece& piece) {
  piece.firstRow = Piece::kNoLine;
  piece.header = nullptr;
  std::size_t line = 0;
  for (std::size_t at = 0; !rows_.rowSeen() && at < piece.input.size(); ++line) {
    const std::size_t end = piece.input.find('\n', at);
    if (rows_.FirstRow(std::string_view(piece.input).substr(at, end - at))) {
      piece.firstRow = line;
      piece.header = header_;
    }
    at = end + 1;
  }
}

}  // namespace calc
