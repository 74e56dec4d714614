#include "reader/text/undecoded_line.h"

#include <algorithm>

namespace reading {
namespace {

// The encoding `name` names (EncodingName), if any.
std::optional<TextEncoding> Named(std::string_view name) {
  const auto found = std::find_if(std::begin(kTextEncodings), std::end(kTextEncodings),
                                  [name](TextEncoding e) { return EncodingName(e) == name; });
  if (found == std::end(kTextEncodings)) return std::nullopt;
  return *found;
}

}  // namespace

bool FindMarkedLine(std::string_view line, UndecodedLine& undecoded) {
  const std::size_t end = line.find(kUndecodedMark, 1);
  if (end == std::string_view::npos) return false;
  const std::string_view names = line.substr(1, end - 1);
  const std::size_t slash = names.find('/');
  const std::optional<TextEncoding> encoding = Named(names.substr(0, slash));
  std::optional<TextEncoding> other;
  if (slash != std::string_view::npos && !(other = Named(names.substr(slash + 1)))) return false;
  if (!encoding) return false;
  undecoded.encoding = *encoding;
  undecoded.other = other;
  undecoded.bytes = line.substr(end + 1);
  return true;
}

void AppendUndecoded(std::string& out, TextEncoding encoding, std::string_view bytes,
                     std::optional<TextEncoding> other) {
  out += kUndecodedMark;
  out += EncodingName(encoding);
  if (other) {
    out += '/';
    out += EncodingName(*other);
  }
  out += kUndecodedMark;
  out += bytes;
}

std::string UndecodedMessage(const UndecodedLine& line) {
  std::string message = line.other ? "line reads as " : "line is not ";
  message += EncodingName(line.encoding);
  if (line.other) {
    message += " and as ";
    message += EncodingName(*line.other);
  }
  message += line.other ? " text: say which with --encoding NAME"
                        : " text: say the input's encoding with --encoding NAME";
  return message;
}

}  // namespace reading
