#pragma once

// The windows on screen, topmost last. Adding a window realises it; its
// set-up (kZafEventInitialize, then kZafEventCurrent) comes once the events
// queued before it are delivered, so it finds what its opener gave it (a
// monitor rectangle) whether that was sent or posted. Taking a window away
// sends kZafEventNonCurrent, shows its pointer again and makes the window
// below current again.

#include <vector>

#include "toolkit/ZafEvents.h"

class ZafEventManager;
class ZafPresenter;
class ZafWindow;

class ZafWindowManager {
 public:
  explicit ZafWindowManager(ZafPresenter& presenter) : m_presenter(presenter) {}
  ZafWindowManager(const ZafWindowManager&) = delete;
  ZafWindowManager& operator=(const ZafWindowManager&) = delete;

  void SetEventManager(ZafEventManager* events) { m_events = events; }

  // Adding a window that is already there does nothing.
  void Add(ZafWindow& window);
  void Subtract(ZafWindow& window);
  [[nodiscard]] bool Contains(const ZafWindow& window) const;
  [[nodiscard]] ZafWindow* Current() const { return m_windows.empty() ? nullptr : m_windows.back(); }
  [[nodiscard]] const std::vector<ZafWindow*>& Windows() const { return m_windows; }
  [[nodiscard]] std::size_t Count() const { return m_windows.size(); }
  // Sends the next waiting set-up; false when none waits.
  bool DeliverSetup();

  // Adds the window when needed and runs events until it closes; answers the
  // event that closed it (kZafEventOk, kZafEventCancel, kZafEventClose). When
  // no input can ever close it, the presenter's unattended answer closes it.
  ZafEventType RunModal(ZafWindow& window);
  [[nodiscard]] ZafWindow* ModalWindow() const { return m_modal.empty() ? nullptr : m_modal.back(); }

 private:
  ZafPresenter& m_presenter;
  ZafEventManager* m_events = nullptr;
  std::vector<ZafWindow*> m_windows;
  std::vector<ZafWindow*> m_modal;
  std::vector<ZafWindow*> m_setupPending;
};
