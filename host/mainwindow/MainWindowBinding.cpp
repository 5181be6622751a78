// Start-up of the main window: its window table, language strings, string
// tables, control binding and function lists.
#include <array>
#include <string>

#include "calibration/CCalibrateDialog.h"
#include "diagnostics/CDiagnosticsDialog.h"
#include "functions/FunctionMenus.h"
#include "host/dialogs/CAdvancedSettingsDialog.h"
#include "host/dialogs/CDefineKeystrokeDialog.h"
#include "host/dialogs/CDefineModifierDialog.h"
#include "host/dialogs/CRunDialog.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "settings/MakeNoThrow.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/controls/ZafComboBox.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafSpinControl.h"
#include "toolkit/data/ZafLanguageData.h"
#include "views/ControlIds.h"

namespace {

struct StTableWindow {
  int number;
  const char* name;
  int alsoUnder;  // string tables are entered under their table number too
};

constexpr std::array<StTableWindow, 15> kWindowTable = {{
    {1, "KeystrokeDialog", 0},    {2, "ModifiersDialog", 0},  {3, "DiagnosticsDialog", 0},
    {4, "RunDialog", 0},          {5, "AboutDialog", 0},      {6, "TabletDriverNotFoundDialog", 0},
    {7, "UsersManualNotFoundDialog", 0}, {8, "NoSuppTabletDialog", 0}, {9, "SelectTabletDialog", 0},
    {10, "1089", 1089},           {11, "2102", 2102},         {12, "2100", 2100},
    {13, "3001", 3001},           {14, "CalibrateScreen", 0}, {15, "AdvancedSettings", 0},
}};

constexpr std::array<std::uint32_t, 4> kStringTables = {1089, 2102, 2100, 3001};

constexpr std::string_view kQuickTipSuffix = "_QTIP";

}  // namespace

Status CCPLMainWindow::ReadTableWindow(ZafObjectPersistence& persistence, int number, const char* name,
                                       std::unique_ptr<ZafWindow>& window) {
  // The advanced settings dialog handles its own opening and OK.
  if (number != kAdvancedWindow) return persistence.ReadWindow(name, window);
  auto dialog = MakeNoThrow<CAdvancedSettingsDialog>();
  if (!dialog) return kStatusOutOfMemory;
  KELVO_TRY(dialog->Load(persistence, name));
  window = std::move(dialog);
  return kStatusOk;
}

Status CCPLMainWindow::LoadWindowTable() {
  m_windows[kMainWindow] = this;
  ZafObjectPersistence* persistence = ZafObjectPersistence::Default();
  if (persistence == nullptr) return kStatusNullPointer;
  persistence->SetWindowMaker("CalibrateScreen", [] { return MakeNoThrow<CCalibrateDialog>(); });
  // The define dialogs handle their controls in classes of their own.
  persistence->SetWindowMaker("KeystrokeDialog", [] { return std::make_unique<CDefineKeystrokeDialog>(); });
  persistence->SetWindowMaker("ModifiersDialog", [] { return std::make_unique<CDefineModifierDialog>(); });
  persistence->SetWindowMaker("RunDialog", [] { return std::make_unique<CRunDialog>(); });
  // The diagnostics dialog runs its own refresh timer.
  persistence->SetWindowMaker("DiagnosticsDialog",
                              [this] { return std::make_unique<CDiagnosticsDialog>(m_application.EventManager()); });
  for (const StTableWindow& entry : kWindowTable) {
    std::unique_ptr<ZafWindow> window;
    const Status status = ReadTableWindow(*persistence, entry.number, entry.name, window);
    // A window the resource file lacks is simply not there; its controls are skipped.
    if (status == kStatusNotFound) continue;
    KELVO_TRY(status);
    m_windows[entry.number] = window.get();
    if (entry.alsoUnder != 0) m_windows[entry.alsoUnder] = window.get();
    m_ownedWindows[entry.number] = std::move(window);
  }
  return kStatusOk;
}

Status CCPLMainWindow::ApplyLanguageStrings() {
  auto* strings = m_application.DataManager().GetAs<ZafLanguageData>("LanguageStrings");
  if (strings == nullptr) return kStatusNotFound;
  strings->SetLanguage(std::string(ZafLanguageData::CodeForIndex(static_cast<int>(m_language))));
  for (const auto& [identifier, text] : strings->Entries()) {
    const std::size_t tilde = identifier.find('~');
    if (tilde == std::string::npos) continue;
    const std::string windowName = identifier.substr(0, tilde);
    std::string controlName = identifier.substr(tilde + 1);
    const bool quickTip = controlName.size() > kQuickTipSuffix.size() &&
                          controlName.ends_with(kQuickTipSuffix);
    if (quickTip) controlName.resize(controlName.size() - kQuickTipSuffix.size());

    ZafWindowObject* control = nullptr;
    for (int number = kMainWindow; number < kWindowCount && control == nullptr; ++number) {
      ZafWindow* window = GetTableWindow(number);
      if (window == nullptr || window->StringID() != windowName) continue;
      control = controlName == windowName ? window : window->Find(controlName);
    }
    if (control == nullptr) continue;
    if (auto* combo = dynamic_cast<ZafComboBox*>(control); combo != nullptr && !quickTip) {
      combo->AddEntry({text, {}, 0, 0});
    } else if (quickTip) {
      control->SetQuickTip(text);
    } else {
      control->SetText(text);
      // A notebook page's tab shows its page text.
      if (auto* page = dynamic_cast<ZafWindow*>(control);
          page != nullptr && dynamic_cast<ZafNotebook*>(page->Parent()) != nullptr)
        page->SetPageText(text);
    }
  }
  return kStatusOk;
}

void CCPLMainWindow::CollectStringTables() {
  m_stringTables.clear();
  for (std::uint32_t number : kStringTables) {
    ZafWindow* window = GetTableWindow(static_cast<int>(number));
    if (window == nullptr) continue;
    LanguageStringTable& table = m_stringTables[number];
    for (const auto& child : window->Children()) table[child->StringID()] = child->Text();
  }
}

ZafWindowObject* CCPLMainWindow::FindInTable(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (int number : {kMainWindow, kDiagnosticsWindow, kAdvancedWindow, kModifierWindow}) {
    ZafWindow* window = GetTableWindow(number);
    if (window == nullptr) continue;
    if (ZafWindowObject* found = window->Find(name)) return found;
  }
  return nullptr;
}

ZafWindowObject* CCPLMainWindow::FindNamed(std::string_view name) const { return FindInTable(name); }

ZafWindowObject* CCPLMainWindow::FindBound(std::string_view name) const {
  if (ZafWindowObject* found = FindInTable(name)) return found;
  // A hidden tab's page is out of its notebook but keeps its controls.
  for (const StTabSlot& slot : m_tabSlots) {
    if (!slot.page) continue;
    if (ZafWindowObject* found = slot.page->Find(name)) return found;
  }
  return nullptr;
}

Status CCPLMainWindow::BindControlTable() {
  for (const StControlRecord& record : GetControlTable()) {
    ZafWindowObject* control = FindInTable(record.name);
    if (control != nullptr) Bind(record, *control);
  }
  return kStatusOk;
}

void CCPLMainWindow::Bind(const StControlRecord& record, ZafWindowObject& control) {
  control.SetNumberID(static_cast<std::uint16_t>(record.id & 0xFFFFU));
  control.SetValue(record.value);
  control.SetKind(static_cast<std::uint32_t>(record.kind));
  if (record.handler != ControlHandler::kNone) {
    const ControlHandler handler = record.handler;
    ZafUserFunction function = [this, handler](ZafWindowObject& object, ZafEventType event) -> ZafEventType {
      if (event == kZafEventChanged) OnControlChanged(handler, object);
      return 0;
    };
    // A number typed into the spin control's field is checked like a step.
    if (auto* spin = dynamic_cast<ZafSpinControl*>(&control); spin != nullptr && spin->Field() != nullptr)
      spin->Field()->SetUserFunction(function);
    control.SetUserFunction(std::move(function));
  }
  // Radio buttons carry their own values and stay out of the map; update
  // control finds a group's buttons by name.
  if (record.value == 0) m_controls[record.id] = &control;
}

void CCPLMainWindow::FillFunctionLists() {
  const TabletPcMode mode = (m_useHid & 0x3U) != 0 ? TabletPcMode::kOn : TabletPcMode::kOff;
  const std::pair<std::uint32_t, FunctionMenu> lists[] = {
      {ControlId::kLeftPuckButtonComboBox, FunctionMenu::kPuckButton},
      {ControlId::kRightPuckButtonComboBox, FunctionMenu::kPuckButton},
      {ControlId::kMidPuckButtonComboBox, FunctionMenu::kPuckButton},
      {ControlId::kUpperSideSwitchComboBox, FunctionMenu::kUpperSideSwitch},
      {ControlId::kLowerSideSwitchComboBox, FunctionMenu::kLowerSideSwitch}};
  for (const auto& [listId, menu] : lists) {
    auto* list = dynamic_cast<ZafList*>(GetControl(listId));
    if (list == nullptr) continue;
    for (const FunctionCode code : FunctionMenuCodes(menu, mode)) {
      char text[256] = {};
      DropStatus(LookupString("1089", static_cast<std::uint16_t>(code), text),
                 "a missing name leaves the entry's text empty");
      list->AddEntry({text, FunctionMenuEntryName(code), static_cast<std::int32_t>(code + 1), 0});
    }
  }
  if (mode == TabletPcMode::kOn) {
    if (ZafWindowObject* advanced = GetControl(ControlId::kStylusAdvancedButton)) advanced->SetVisible(true);
  }
}
