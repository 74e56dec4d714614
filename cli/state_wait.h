#pragma once

// Waiting for an atomic int to change, and waking those who wait: what
// std::atomic's wait() and notify_all() do. On Windows they are Windows' own
// WaitOnAddress and WakeByAddressAll instead: the mingw-w64 build's C++
// library (GCC 12) waits there on a condition variable that a notify can
// miss when it comes between the value's check and the wait, and
// corvane-calc then hung for good (seen under wine, one run in a few).

#include <atomic>

namespace calc {

// Returns once `value` is not `old` (acquire).
void WaitWhileEquals(const std::atomic<int>& value, int old);

// Wakes every thread waiting on `value`, after a store to it.
void WakeAll(std::atomic<int>& value);

}  // namespace calc
