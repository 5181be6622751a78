#include "host/dialogs/CDefineModifierDialog.h"

#include <array>

#include "host/dialogs/DialogEvents.h"
#include "services/CEventTranslator.h"
#include "views/ControlIds.h"

namespace {

constexpr std::array<StControlEvent, 4> kBoxes{{
    {"ShiftCheckBox", DialogEvent::kShift},
    {"AltCheckBox", DialogEvent::kAlt},
    {"CtrlCheckBox", DialogEvent::kCtrl},
    {"ClickCheckBox", DialogEvent::kClick},
}};

bool IsBoxEvent(ZafEventType type) {
  for (const StControlEvent& box : kBoxes)
    if (box.event == type) return true;
  return false;
}

}  // namespace

void CDefineModifierDialog::Open() {
  m_okButton = Find("OkButton");
  SendControlEvents(*this, kBoxes);
}

void CDefineModifierDialog::UpdateOk() {
  DropStatus(ForwardViewRequest(kViewRefresh, ControlId::kModifierMask, nullptr), "the mask read below says");
  std::uint32_t mask = 0;
  DropStatus(ForwardViewRequest(kViewGet, ControlId::kModifierMask, &mask), "no mask reads as none");
  if (m_okButton == nullptr) return;
  m_okButton->SetDisabled((mask & 0xFFFFU) == 0);
  ZafWindowObject* focus = m_okButton->EffectivelyDisabled() ? Find("CancelButton") : m_okButton;
  if (focus != nullptr) focus->SetFocus();
}

ZafEventType CDefineModifierDialog::Event(const ZafEventStruct& event) {
  if (event.type == kZafEventInitialize) Open();
  if (event.type == kZafEventCurrent || IsBoxEvent(event.type)) {
    const ZafEventType result = ZafDialogWindow::Event(event);
    UpdateOk();
    return result;
  }
  return ZafDialogWindow::Event(event);
}
