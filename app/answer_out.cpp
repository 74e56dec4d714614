#include "app/answer_out.h"

#include <unistd.h>

#include <cerrno>

bool WriteAnswer(std::string_view text) {
  while (!text.empty()) {
    const ssize_t put = write(STDOUT_FILENO, text.data(), text.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}
