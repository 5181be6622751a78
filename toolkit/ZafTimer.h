#pragma once

// A repeating timer that sends its event (kZafEventTimer) to its target
// window every interval while it is on. It switches off on kZafEventTimerOff
// and on again on kZafEventTimerOn. A tick that comes late is not made up
// for: the next one is due an interval after it fired.

#include <cstdint>

#include "toolkit/ZafEvents.h"

class ZafWindow;

class ZafTimer {
 public:
  ZafTimer(std::int64_t intervalMs, ZafWindow* target, ZafEventType event = kZafEventTimer)
      : m_interval(intervalMs > 0 ? intervalMs : 1), m_target(target), m_event(event) {}

  [[nodiscard]] std::int64_t Interval() const { return m_interval; }
  [[nodiscard]] ZafWindow* Target() const { return m_target; }
  void ClearTarget() { m_target = nullptr; m_on = false; }
  [[nodiscard]] ZafEventType TimerEvent() const { return m_event; }
  [[nodiscard]] bool On() const { return m_on; }
  [[nodiscard]] std::int64_t Due() const { return m_due; }

  // Switching on starts a full interval from now.
  void SetOn(bool on, std::int64_t nowMs) {
    if (on && m_target == nullptr) return;
    if (on && !m_on) m_due = nowMs + m_interval;
    m_on = on;
  }
  // Answers kZafEventTimerOff / kZafEventTimerOn; other events are not its.
  bool Event(ZafEventType event, std::int64_t nowMs) {
    if (event == kZafEventTimerOff) SetOn(false, nowMs);
    else if (event == kZafEventTimerOn) SetOn(true, nowMs);
    else return false;
    return true;
  }
  void Fired(std::int64_t nowMs) { m_due = nowMs + m_interval; }

 private:
  std::int64_t m_interval;
  ZafWindow* m_target;
  ZafEventType m_event;
  bool m_on = false;
  std::int64_t m_due = 0;
};
