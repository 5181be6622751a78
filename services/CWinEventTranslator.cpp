#include "services/CWinEventTranslator.h"

namespace {

CWindowEventTarget* g_notificationTarget = nullptr;

constexpr std::int32_t kEventControlState = 5;
constexpr std::int32_t kEventShowWindow = 10;
constexpr std::int32_t kEventHideWindow = 11;

}  // namespace

Status CWinEventTranslator::InstallRoutine(NotificationRoutine routine) {
  m_routine = routine;
  return kStatusOk;
}

Status CWinEventTranslator::Notify(std::uint32_t controlNumber, std::uint32_t reason) {
  if (m_routine == nullptr) return kStatusNoRoutine;
  return m_routine(controlNumber, reason);
}

CWindowEventTarget* SetNotificationTarget(CWindowEventTarget* window) {
  CWindowEventTarget* previous = g_notificationTarget;
  g_notificationTarget = window;
  return previous;
}

Status NotifyTargetWindow(std::uint32_t controlNumber, std::uint32_t reason) {
  StWindowEvent event;
  event.controlId = controlNumber;
  std::uint32_t subCode = 0;
  switch (reason) {
    case 0:
      event.type = kEventControlState;
      break;
    case 1:
    case 2:
    case 3:
      event.type = kEventControlState;
      subCode = reason - 1;
      event.value = &subCode;
      break;
    case 4:
      event.type = kEventShowWindow;
      break;
    case 5:
      event.type = kEventHideWindow;
      break;
    default:
      return kStatusNoItem;
  }
  if (g_notificationTarget == nullptr) return kStatusOk;
  return g_notificationTarget->HandleWindowEvent(event);
}
