#include "host/dialogs/CRunDialog.h"

#include <array>
#include <cstring>

#include "functions/FunctionNames.h"
#include "functions/RunPath.h"
#include "host/dialogs/DialogEvents.h"
#include "platform/User.h"
#include "services/CEventTranslator.h"
#include "views/ControlIds.h"

namespace {

constexpr std::size_t kPathBytes = 256;
// "All Files (*.*)" and its pattern, then the empty text that ends the list.
constexpr char kFilter[] = "All Files (*.*)\0*.*\0";
constexpr DWORD kBrowseFlags = 0x02201804;  // hide read-only, path and file must exist, long names, not recent

}  // namespace

void CRunDialog::Open() {
  m_pathField = Find("AppToRunPrompt");
  if (ZafWindowObject* group = Find("AppToRunGroup")) m_browseTitle = group->Text();
  if (ZafWindowObject* browse = Find("BrowseButton")) browse->SetSendMessage(DialogEvent::kBrowse);
  if (m_pathField != nullptr) m_pathField->SetSendMessage(DialogEvent::kPathEdited);
  m_okButton = Find("OkButton");
  std::array<char, kPathBytes> path{};
  DropStatus(ForwardViewRequest(kViewGet, ControlId::kRunPath, path.data()), "no path reads as none");
  path.back() = '\0';
  if (m_pathField != nullptr) m_pathField->SetText(path.data());
}

void CRunDialog::Browse() {
  if (m_pathField == nullptr) return;
  std::array<char, kPathBytes> file{};
  std::strncpy(file.data(), m_pathField->Text().c_str(), file.size() - 1);
  OPENFILENAMEA open{};
  open.lpstrFilter = kFilter;
  open.nFilterIndex = 1;
  open.lpstrFile = file.data();
  open.nMaxFile = static_cast<DWORD>(file.size());
  open.lpstrTitle = m_browseTitle.c_str();
  open.Flags = kBrowseFlags;
  open.lpstrDefExt = "ALL";
  // A cancelled choice leaves the field as it was.
  if (GetOpenFileNameA(&open) != FALSE) m_pathField->SetText(file.data());
}

void CRunDialog::Update() {
  if (m_okButton == nullptr) return;
  m_okButton->SetDisabled(m_pathField == nullptr || m_pathField->Text().empty());
  ZafWindowObject* focus = m_okButton->EffectivelyDisabled() ? Find("CancelButton") : m_okButton;
  if (focus != nullptr) focus->SetFocus();
}

void CRunDialog::Confirm() {
  if (m_pathField == nullptr) return;
  std::array<char, kPathBytes> path{};
  std::strncpy(path.data(), m_pathField->Text().c_str(), path.size() - 1);
  DropStatus(ForwardViewRequest(kViewSet, ControlId::kRunPath, path.data()), "the function's Apply reports");
  PackedFunctionName name{};
  PackFunctionName(ProgramName(path.data()), name);
  DropStatus(ForwardViewRequest(kViewSet, ControlId::kRunName, name.data()), "the function's Apply reports");
}

ZafEventType CRunDialog::Event(const ZafEventStruct& event) {
  switch (event.type) {
    case kZafEventInitialize: Open(); break;
    case DialogEvent::kBrowse:
      Browse();
      Update();
      return event.type;
    case DialogEvent::kPathEdited:
      if (m_okButton != nullptr) m_okButton->SetDisabled(m_pathField == nullptr || m_pathField->Text().empty());
      return event.type;
    case kZafEventCurrent: {
      const ZafEventType result = ZafDialogWindow::Event(event);
      Update();
      return result;
    }
    case kZafEventOk: Confirm(); break;
    default: break;
  }
  return ZafDialogWindow::Event(event);
}
