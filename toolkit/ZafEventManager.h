#pragma once

// The event queue and the timers. Events are delivered one at a time to their
// target's Event; timers that are due post their event. The loop waits on the
// presenter when there is nothing to do.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "toolkit/ZafEvents.h"
#include "toolkit/ZafTimer.h"

class ZafKeyboard;
class ZafPresenter;
class ZafWindow;
class ZafWindowManager;

class ZafEventManager {
 public:
  ZafEventManager(ZafPresenter& presenter, ZafKeyboard& keyboard, ZafWindowManager& windows);

  // Queues an event; an event without a target goes to the current window
  // when it is delivered.
  void Post(const ZafEventStruct& event);
  void Post(ZafEventType type, ZafWindowObject* target = nullptr);
  [[nodiscard]] bool HasPending() const { return !m_queue.empty(); }

  // Timers are owned here. Add switches the timer on.
  ZafTimer* AddTimer(std::unique_ptr<ZafTimer> timer);
  void RemoveTimer(ZafTimer* timer);
  // Delivers kZafEventTimerOff / kZafEventTimerOn to the timer.
  void SendTimerEvent(ZafTimer& timer, ZafEventType event);
  [[nodiscard]] std::optional<std::int64_t> NextDue() const;

  // Delivers one queued event, else a window's waiting set-up, else posts the
  // events of due timers; false when there was nothing to do.
  bool ProcessOne();
  // Delivers everything queued and due now.
  void ProcessPending();
  // Processes and waits until done() holds; false when the presenter said no
  // input will ever come (done() still false).
  bool RunUntil(const std::function<bool()>& done);

  // Drops queued events and timers aimed at an object that goes away.
  void Forget(const ZafWindowObject& object);

 private:
  void Deliver(const ZafEventStruct& event);

  ZafPresenter& m_presenter;
  ZafKeyboard& m_keyboard;
  ZafWindowManager& m_windows;
  std::deque<ZafEventStruct> m_queue;
  std::vector<std::unique_ptr<ZafTimer>> m_timers;
};
