#include "toolkit/ZafWindowManager.h"

#include <algorithm>

#include "toolkit/ZafEventManager.h"
#include "toolkit/ZafPresenter.h"
#include "toolkit/ZafWindow.h"

namespace {
ZafEventStruct Make(ZafEventType type, ZafWindow& window) {
  ZafEventStruct event;
  event.type = type;
  event.target = &window;
  return event;
}
}  // namespace

void ZafWindowManager::Add(ZafWindow& window) {
  if (Contains(window)) return;
  window.ResetClosingEvent();
  m_windows.push_back(&window);
  window.SetObserver(&m_presenter);
  m_presenter.Realize(window);
  m_setupPending.push_back(&window);
}

bool ZafWindowManager::DeliverSetup() {
  if (m_setupPending.empty()) return false;
  ZafWindow& window = *m_setupPending.front();
  m_setupPending.erase(m_setupPending.begin());
  window.Event(Make(kZafEventInitialize, window));
  // The window may have closed itself while setting up.
  if (Current() == &window) window.Event(Make(kZafEventCurrent, window));
  return true;
}

void ZafWindowManager::Subtract(ZafWindow& window) {
  auto it = std::find(m_windows.begin(), m_windows.end(), &window);
  if (it == m_windows.end()) return;
  const bool wasCurrent = Current() == &window;
  m_windows.erase(it);
  std::erase(m_setupPending, &window);
  window.Event(Make(kZafEventNonCurrent, window));
  window.ResetPointer();
  m_presenter.Unrealize(window);
  window.SetObserver(nullptr);
  if (wasCurrent && Current() != nullptr) Current()->Event(Make(kZafEventCurrent, *Current()));
}

bool ZafWindowManager::Contains(const ZafWindow& window) const {
  return std::find(m_windows.begin(), m_windows.end(), &window) != m_windows.end();
}

ZafEventType ZafWindowManager::RunModal(ZafWindow& window) {
  window.ResetClosingEvent();
  m_modal.push_back(&window);
  m_presenter.BeginModal(window);
  Add(window);
  const auto closed = [&] { return !Contains(window); };
  if (m_events != nullptr && !m_events->RunUntil(closed)) {
    ZafEventStruct answer;
    answer.type = m_presenter.UnattendedModalAnswer();
    answer.target = &window;
    window.Event(answer);
  }
  // Whatever happened, the window leaves the screen with the run.
  if (Contains(window)) {
    ZafEventStruct close;
    close.type = kZafEventClose;
    close.target = &window;
    window.Event(close);
    Subtract(window);
  }
  m_presenter.EndModal(window);
  m_modal.pop_back();
  return window.ClosingEvent();
}
