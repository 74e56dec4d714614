#include "reader/text/input_ready.h"

#include <poll.h>

namespace reading {

bool InputReady(int fd) {
  pollfd input{fd, POLLIN, 0};
  return poll(&input, 1, 0) > 0;
}

}  // namespace reading
