#include "cli/input_start.h"

#include <cstring>
#include <string_view>

#include "reader/row_reader.h"

namespace calc {

void InputStart::Prepare(Piece& piece) {
  static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (atStart_ && std::string_view(piece.input).starts_with(kByteOrderMark)) {
    piece.input.erase(0, kByteOrderMark.size());
  }
  atStart_ = false;
  piece.firstRow = Piece::kNoLine;
  std::size_t line = 0;
  for (std::size_t at = 0; !rowSeen_ && at < piece.input.size(); ++line) {
    const std::size_t end = piece.input.find('\n', at);
    if (!reading::IsBlankOrComment(std::string_view(piece.input).substr(at, end - at))) {
      piece.firstRow = line;
      rowSeen_ = true;
    }
    at = end + 1;
  }
}

}  // namespace calc
