#pragma once

#include "services/CEventTranslator.h"
#include "services/ControlStates.h"

// Event codes of a window event: a control's value (no sub-code) or display
// state (the sub-code), or a whole window shown or hidden.
inline constexpr std::int32_t kWindowEventControl = 5;
inline constexpr std::int32_t kWindowEventShow = 10;
inline constexpr std::int32_t kWindowEventHide = 11;

// A window event as the notification routine delivers it: event code, control
// number and, for some reasons, a pointer to a 32-bit sub-code.
struct StWindowEvent {
  std::int32_t type = 0;
  std::uint32_t controlId = 0;
  std::uint32_t* value = nullptr;
};

// The window that receives state events (the main window, or a dialog).
class CWindowEventTarget {
 public:
  virtual ~CWindowEventTarget() = default;
  virtual Status HandleWindowEvent(const StWindowEvent& event) = 0;
};

using NotificationRoutine = Status (*)(std::uint32_t controlNumber, std::uint32_t reason);

// Calls the routine the main window installed.
class CWinEventTranslator : public CEventTranslator {
 public:
  CWinEventTranslator() = default;
  ~CWinEventTranslator() override = default;

  Status InstallRoutine(NotificationRoutine routine);
  [[nodiscard]] Status Notify(std::uint32_t controlNumber, std::uint32_t reason) override;

 private:
  NotificationRoutine m_routine = nullptr;
};

// Stores the window that the notification routine sends to; answers the
// previous one.
CWindowEventTarget* SetNotificationTarget(CWindowEventTarget* window);
// The routine the main window installs: turns a reason into a window event
// for the target window.
Status NotifyTargetWindow(std::uint32_t controlNumber, std::uint32_t reason);
