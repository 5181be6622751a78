#pragma once

#include "toolkit/ZafClock.h"

// A clock that moves only when told to.
class ZafManualClock : public ZafClock {
 public:
  [[nodiscard]] std::int64_t NowMs() const override { return m_now; }
  void AdvanceTo(std::int64_t ms) {
    if (ms > m_now) m_now = ms;
  }
  void Advance(std::int64_t ms) { AdvanceTo(m_now + ms); }

 private:
  std::int64_t m_now = 0;
};
