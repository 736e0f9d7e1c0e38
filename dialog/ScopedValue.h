#pragma once
// A member set for the length of a scope and given back its value when the
// scope ends, also by an exception (a failed agent call abandons a handler).

#include <utility>

namespace zqk {

template <typename T>
class ScopedValue {
 public:
  ScopedValue(T& target, T value)
      : target_(target), saved_(std::exchange(target, std::move(value))) {}
  ~ScopedValue() { target_ = std::move(saved_); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& target_;
  T saved_;
};

}  // namespace zqk
