#pragma once

#include <memory>
#include <new>
#include <utility>

// Allocation that answers "none" instead of throwing, so that callers can turn
// a failure into the out-of-memory status.
template <typename T, typename... Args>
[[nodiscard]] std::unique_ptr<T> MakeNoThrow(Args&&... args) {
  return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}
