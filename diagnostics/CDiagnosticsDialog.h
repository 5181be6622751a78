#pragma once

#include <cstdint>

#include "toolkit/ZafDialogWindow.h"

class ZafEventManager;
class ZafTimer;

// The diagnostics window. While it is on the screen a timer refreshes every
// view ten times a second; the timer is off during its own refresh, so a
// slow refresh delays the next tick instead of overlapping it. The close
// button keeps the focus, and Enter in the tablet list closes the dialog.
class CDiagnosticsDialog : public ZafDialogWindow {
 public:
  static constexpr std::int64_t kRefreshIntervalMs = 100;

  explicit CDiagnosticsDialog(ZafEventManager& events);
  ~CDiagnosticsDialog() override;

  ZafEventType Event(const ZafEventStruct& event) override;

  // Set by the main window the first time it prepares the dialog.
  [[nodiscard]] std::uint32_t SetupDone() const { return m_setupDone; }
  void SetSetupDone(std::uint32_t done) { m_setupDone = done; }
  [[nodiscard]] ZafTimer* Timer() const { return m_timer; }
  // The dialog that is open, for its tablet list's handler.
  [[nodiscard]] static CDiagnosticsDialog* Current();

 private:
  void SetUp();
  void Tick();
  void FocusClose();
  [[nodiscard]] ZafEventType OnTabletList(ZafWindowObject& list, ZafEventType event);

  ZafEventManager& m_events;
  ZafWindowObject* m_closeButton = nullptr;
  ZafTimer* m_timer = nullptr;  // owned by the event manager
  std::uint32_t m_setupDone = 0;
  ZafUserFunction m_savedListFunction;
  bool m_listHooked = false;
};
