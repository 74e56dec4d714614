#include <windows.h>

#include "cli/state_wait.h"

namespace calc {

// std::atomic<int> is an int in memory, which WaitOnAddress compares.
static_assert(sizeof(std::atomic<int>) == sizeof(int) && std::atomic<int>::is_always_lock_free);

void WaitWhileEquals(const std::atomic<int>& value, int old) {
  auto* address = const_cast<std::atomic<int>*>(&value);
  // WaitOnAddress may return without a change (spurious wake-ups).
  while (value.load(std::memory_order_acquire) == old) {
    WaitOnAddress(address, &old, sizeof old, INFINITE);
  }
}

void WakeAll(std::atomic<int>& value) { WakeByAddressAll(&value); }

}  // namespace calc
