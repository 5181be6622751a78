#include "services/CWinEventTranslator.h"

namespace {

CWindowEventTarget* g_notificationTarget = nullptr;

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
    case kControlRedisplay:
      event.type = kWindowEventControl;
      break;
    case kControlHide:
    case kControlShow:
    case kControlShowDisabled:
      event.type = kWindowEventControl;
      subCode = StateOfReason(reason);
      event.value = &subCode;
      break;
    case kControlShowWindow:
      event.type = kWindowEventShow;
      break;
    case kControlHideWindow:
      event.type = kWindowEventHide;
      break;
    default:
      return kStatusNoItem;
  }
  if (g_notificationTarget == nullptr) return kStatusOk;
  return g_notificationTarget->HandleWindowEvent(event);
}
