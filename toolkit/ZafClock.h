#pragma once

#include <cstdint>

// Milliseconds since an arbitrary start. Timers run on it: a real clock on
// screen, a manual one in tests and automation.
class ZafClock {
 public:
  virtual ~ZafClock() = default;
  [[nodiscard]] virtual std::int64_t NowMs() const = 0;
};
