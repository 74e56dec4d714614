#include "cli/state_wait.h"

namespace calc {

void WaitWhileEquals(const std::atomic<int>& value, int old) {
  value.wait(old, std::memory_order_acquire);
}

void WakeAll(std::atomic<int>& value) { value.notify_all(); }

}  // namespace calc
