#include "diagnostics/CDiagnosticsDialog.h"

#include <memory>

#include "settings/CDriverData.h"
#include "toolkit/ZafEventManager.h"
#include "toolkit/ZafTimer.h"
#include "views/CKelvoView.h"
#include "views/ControlIds.h"

namespace {

CDiagnosticsDialog* g_current = nullptr;

constexpr char kCloseButton[] = "CloseButton";
constexpr char kTabletList[] = "TabletComboBox";
constexpr char kRecalibrateButton[] = "RecalibrateButton";
constexpr char kPressureOffset[] = "DevicePressureOffset";

bool IsEnterIn(const ZafEventStruct& event, const char* control) {
  return event.type == kZafEventKey && event.key.down && event.key.virtualKey == kZafKeyReturn &&
         event.source != nullptr && event.source->StringID() == control;
}

}  // namespace

CDiagnosticsDialog::CDiagnosticsDialog(ZafEventManager& events) : m_events(events) { g_current = this; }

CDiagnosticsDialog::~CDiagnosticsDialog() {
  if (m_timer != nullptr) m_events.RemoveTimer(m_timer);
  if (g_current == this) g_current = nullptr;
}

CDiagnosticsDialog* CDiagnosticsDialog::Current() { return g_current; }

void CDiagnosticsDialog::SetUp() {
  m_closeButton = Find(kCloseButton);
  if (ZafWindowObject* list = Find(kTabletList); list != nullptr && !m_listHooked) {
    m_savedListFunction = list->UserFunction();
    list->SetUserFunction([](ZafWindowObject& object, ZafEventType event) -> ZafEventType {
      CDiagnosticsDialog* dialog = Current();
      return dialog != nullptr ? dialog->OnTabletList(object, event) : kZafEventNone;
    });
    m_listHooked = true;
  }
  // The dialog has no use for recalibrating: the button stays hidden, and
  // selecting it anyway only moves the focus.
  if (ZafWindowObject* recalibrate = Find(kRecalibrateButton)) {
    recalibrate->SetSendMessage(kZafEventRestart);
    recalibrate->SetVisible(false);
  }
  // The views were attached before this window came up: only now does the
  // window's list reach them.
  DropStatus(NotifyControlState(ControlId::kTabletComboBox, kControlRedisplay), "a list left empty shows nothing");
  if (m_timer == nullptr) m_timer = m_events.AddTimer(std::make_unique<ZafTimer>(kRefreshIntervalMs, this));
  if (m_timer != nullptr) m_events.SendTimerEvent(*m_timer, kZafEventTimerOn);
}

void CDiagnosticsDialog::Tick() {
  if (m_timer != nullptr) m_events.SendTimerEvent(*m_timer, kZafEventTimerOff);
  // Fields sharing an item read it once per tick.
  CDriverData::OpenReadRound();
  DropStatus(SendViewRequest(kViewRefresh, kBroadcastId), "the next tick tries again");
  CDriverData::CloseReadRound();
  if (m_timer != nullptr) m_events.SendTimerEvent(*m_timer, kZafEventTimerOn);
}

void CDiagnosticsDialog::FocusClose() {
  if (m_closeButton != nullptr) m_closeButton->SetFocus();
}

ZafEventType CDiagnosticsDialog::OnTabletList(ZafWindowObject& list, ZafEventType event) {
  if (event == kZafEventChanged) FocusClose();
  ZafEventStruct query;
  query.type = kZafEventQuerySettled;
  query.target = &list;
  if (list.Event(query) == 1 && m_savedListFunction) return m_savedListFunction(list, event);
  return kZafEventNone;
}

ZafEventType CDiagnosticsDialog::Event(const ZafEventStruct& event) {
  switch (event.type) {
    case kZafEventInitialize: {
      const ZafEventType result = ZafDialogWindow::Event(event);
      SetUp();
      return result;
    }
    case kZafEventTimer:
      Tick();
      return kZafEventNone;
    case kZafEventNonCurrent:
      if (m_timer != nullptr) m_events.SendTimerEvent(*m_timer, kZafEventTimerOff);
      break;
    case kZafEventRestart:
      FocusClose();
      return kZafEventNone;
    default: break;
  }
  if (IsEnterIn(event, kPressureOffset)) {
    FocusClose();
    return kZafEventNone;
  }
  if (IsEnterIn(event, kTabletList)) {
    m_events.Post(kZafEventOk);
    return kZafEventNone;
  }
  const ZafEventType result = ZafDialogWindow::Event(event);
  if (result == kZafEventCurrent) FocusClose();
  return result;
}
