#pragma once

#include <chrono>

#include "toolkit/ZafClock.h"

class ZafSteadyClock : public ZafClock {
 public:
  [[nodiscard]] std::int64_t NowMs() const override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};
