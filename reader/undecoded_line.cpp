#include "reader/undecoded_line.h"

namespace reading {

bool FindUndecoded(std::string_view line, UndecodedLine& undecoded) {
  if (line.empty() || line[0] != kUndecodedMark) return false;
  const std::size_t end = line.find(kUndecodedMark, 1);
  if (end == std::string_view::npos) return false;
  undecoded.encoding = line.substr(1, end - 1);
  undecoded.bytes = line.substr(end + 1);
  return true;
}

void AppendUndecoded(std::string& out, TextEncoding encoding, std::string_view bytes) {
  out += kUndecodedMark;
  out += EncodingName(encoding);
  out += kUndecodedMark;
  out += bytes;
}

std::string UndecodedMessage(const UndecodedLine& line) {
  std::string message = "line is not ";
  message += line.encoding;
  message += " text: say the input's encoding with --encoding NAME";
  return message;
}

}  // namespace reading
