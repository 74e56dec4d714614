#pragma once

// A result, or why there is none: what the Qt-free computations return
// instead of throwing. E names the fault in the caller's terms.

#include <utility>
#include <variant>

namespace survey {

template <typename T, typename E>
class Outcome {
 public:
  Outcome(T value) : state_(std::move(value)) {}
  Outcome(E error) : state_(std::move(error)) {}

  bool ok() const { return std::holds_alternative<T>(state_); }

  // The result; throws std::bad_variant_access where there is none.
  const T& value() const { return std::get<T>(state_); }

  // Why there is no result; throws std::bad_variant_access where there is.
  const E& error() const { return std::get<E>(state_); }

 private:
  std::variant<T, E> state_;
};

}  // namespace survey
