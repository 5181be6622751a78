#include "toolkit/ZafEventManager.h"

#include <algorithm>

#include "toolkit/ZafClock.h"
#include "toolkit/ZafKeyboard.h"
#include "toolkit/ZafPresenter.h"
#include "toolkit/ZafWindow.h"
#include "toolkit/ZafWindowManager.h"

ZafEventManager::ZafEventManager(ZafPresenter& presenter, ZafKeyboard& keyboard, ZafWindowManager& windows)
    : m_presenter(presenter), m_keyboard(keyboard), m_windows(windows) {}

void ZafEventManager::Post(const ZafEventStruct& event) { m_queue.push_back(event); }

void ZafEventManager::Post(ZafEventType type, ZafWindowObject* target) {
  ZafEventStruct event;
  event.type = type;
  event.target = target;
  Post(event);
}

ZafTimer* ZafEventManager::AddTimer(std::unique_ptr<ZafTimer> timer) {
  if (!timer) return nullptr;
  timer->SetOn(true, m_presenter.Clock().NowMs());
  m_timers.push_back(std::move(timer));
  return m_timers.back().get();
}

void ZafEventManager::RemoveTimer(ZafTimer* timer) {
  std::erase_if(m_timers, [&](const std::unique_ptr<ZafTimer>& t) { return t.get() == timer; });
}

void ZafEventManager::SendTimerEvent(ZafTimer& timer, ZafEventType event) {
  (void)timer.Event(event, m_presenter.Clock().NowMs());
}

std::optional<std::int64_t> ZafEventManager::NextDue() const {
  std::optional<std::int64_t> due;
  for (const auto& t : m_timers) {
    if (t->On() && (!due || t->Due() < *due)) due = t->Due();
  }
  return due;
}

bool ZafEventManager::ProcessOne() {
  if (!m_queue.empty()) {
    const ZafEventStruct event = m_queue.front();
    m_queue.pop_front();
    Deliver(event);
    return true;
  }
  if (m_windows.DeliverSetup()) return true;
  const std::int64_t now = m_presenter.Clock().NowMs();
  bool posted = false;
  for (const auto& t : m_timers) {
    if (t->On() && t->Due() <= now) {
      t->Fired(now);
      Post(t->TimerEvent(), t->Target());
      posted = true;
    }
  }
  return posted;
}

void ZafEventManager::ProcessPending() {
  while (ProcessOne()) {
  }
}

bool ZafEventManager::RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (ProcessOne()) continue;
    if (m_presenter.WaitForInput(NextDue()) == ZafWaitResult::kEnded) {
      ProcessPending();
      return done();
    }
  }
  return true;
}

void ZafEventManager::Forget(const ZafWindowObject& object) {
  std::erase_if(m_queue, [&](const ZafEventStruct& e) { return e.target == &object || e.source == &object; });
  for (const auto& t : m_timers) {
    if (t->Target() == &object) t->ClearTarget();
  }
}

void ZafEventManager::Deliver(const ZafEventStruct& event) {
  if (event.type == kZafEventKey) {
    m_keyboard.Apply(event.key);
    // A key typed into a window that has closed since is nobody's: it must
    // not act on the window (or, on reopening, surprise it).
    ZafWindow* window = event.target != nullptr ? event.target->RootWindow() : nullptr;
    if (event.target != nullptr && (window == nullptr || !m_windows.Contains(*window))) return;
  }
  ZafWindowObject* target = event.target != nullptr ? event.target : m_windows.Current();
  if (target != nullptr) target->Event(event);
}
