#include "host/dialogs/CDefineKeystrokeDialog.h"

#include <array>
#include <string_view>

#include "functions/KeyNames.h"
#include "host/dialogs/DialogEvents.h"
#include "services/CEventTranslator.h"
#include "toolkit/controls/ZafPopUpMenu.h"
#include "toolkit/controls/ZafString.h"
#include "views/ControlIds.h"

namespace {

constexpr std::array<StControlEvent, 7> kControlEvents{{
    {"ClearButton", DialogEvent::kClear},
    {"DeleteButton", DialogEvent::kDelete},
    {"DK_AddSpecial", DialogEvent::kAddSpecial},
    {"DK_AltTab", DialogEvent::kAltTab},
    {"DK_AltShiftTab", DialogEvent::kAltShiftTab},
    {"DK_PrintScreen", DialogEvent::kPrintScreen},
    {"DK_AltPrintScreen", DialogEvent::kAltPrintScreen},
}};

// The special menu's keystroke for an event, or none.
const StSpecialKeystroke* SpecialFor(ZafEventType event) {
  for (const StControlEvent& control : kControlEvents) {
    if (control.event != event) continue;
    for (const StSpecialKeystroke& special : SpecialKeystrokes())
      if (std::string_view(special.menuItem) == control.name) return &special;
  }
  return nullptr;
}

}  // namespace

void CDefineKeystrokeDialog::Open() {
  std::array<std::byte, kKeystrokeValueBytes> value{};
  DropStatus(ForwardViewRequest(kViewGet, ControlId::kKeystrokeSequence, value.data()),
             "a sequence that cannot be read starts empty");
  m_editor.Load(value.data());
  m_keysText = FindAs<ZafString>("KeysText");
  if (m_keysText != nullptr) {
    m_keysText->SetCapturesKeys(true);
    m_keysText->SetCaretListener([this](ZafString& field) {
      m_editor.CaretPlaced(field.CaretPosition());
      Show();
    });
  }
  SendControlEvents(*this, kControlEvents);
  Show();
}

void CDefineKeystrokeDialog::Show() {
  if (m_keysText != nullptr) {
    m_keysText->SetText(std::string(m_editor.Text()));
    if (m_keysText->OnScreen()) {
      m_keysText->SetFocus();
      m_keysText->SetCaretPosition(m_editor.CaretCharacter());
    }
  }
  const bool any = m_editor.CanConfirm();
  if (ZafWindowObject* ok = Find("OkButton")) ok->SetDisabled(!any);
  if (ZafWindowObject* clear = Find("ClearButton")) clear->SetDisabled(!any);
  if (ZafWindowObject* remove = Find("DeleteButton")) remove->SetDisabled(!m_editor.CanDelete());
}

void CDefineKeystrokeDialog::Confirm() {
  // The 65 words: the zero word after the last goes along.
  auto words = m_editor.Keys().Words();
  DropStatus(ForwardViewRequest(kViewSet, ControlId::kKeystrokeSequence, words.data()),
             "the function's Apply reports what the driver kept");
}

ZafEventType CDefineKeystrokeDialog::Event(const ZafEventStruct& event) {
  switch (event.type) {
    case kZafEventInitialize:
      Open();
      break;
    case kZafEventKey:
      if (m_keysText != nullptr && (event.source == m_keysText || m_keysText->HasFocus())) {
        m_editor.Key({event.key.virtualKey, static_cast<std::uint8_t>(event.key.character), event.key.down,
                      event.key.keyData});
        Show();
        return kZafEventKey;
      }
      break;
    case DialogEvent::kClear:
      m_editor.Clear();
      Show();
      return event.type;
    case DialogEvent::kDelete:
      m_editor.DeleteBeforeCaret();
      Show();
      return event.type;
    case DialogEvent::kAddSpecial:
      if (auto* menu = FindAs<ZafPopUpMenu>("DK_SpecialMenu")) menu->SetOpen(true);
      m_editor.UpdateCaret(0, CKeystrokeEditor::CaretMove::kBy);
      Show();
      return event.type;
    case kZafEventOk:
      Confirm();
      break;
    default:
      if (const StSpecialKeystroke* special = SpecialFor(event.type)) {
        m_editor.InsertSpecial(special->word);
        if (auto* menu = FindAs<ZafPopUpMenu>("DK_SpecialMenu")) menu->SetOpen(false);
        Show();
        return event.type;
      }
      break;
  }
  return ZafDialogWindow::Event(event);
}
