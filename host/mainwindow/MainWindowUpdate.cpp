// The display changes the views ask the main window for, and the dialogs it
// runs for them.
#include <cstdio>
#include <cstring>
#include <string>

#include "calibration/CCalibrateDialog.h"
#include "calibration/CMonitorList.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "model/ModelCodes.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/ZafObjectPersistence.h"
#include "toolkit/ZafTimer.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafImage.h"
#include "toolkit/controls/ZafInteger.h"
#include "toolkit/controls/ZafList.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "views/CListSuperView.h"
#include "views/ControlIds.h"
#include "views/info/CReadOnlyTabletListView.h"

namespace {

// What a tablet whose model cannot be read is named after.
constexpr std::uint16_t kModelUnknown = 290;

// Index of a tab in the four slots (stylus, puck, tablet, calibrate), or -1.
int TabSlot(std::uint32_t tabId) {
  switch (tabId) {
    case ControlId::kStylusTab: return 0;
    case ControlId::kPuckTab: return 1;
    case ControlId::kTabletTab: return 2;
    case ControlId::kCalibrateTab: return 3;
    case ControlId::kMappingTab: return 4;
    default: return -1;
  }
}

}  // namespace

Status CCPLMainWindow::UpdateControl(std::uint32_t controlId, std::int32_t type) {
  if (type != kWindowEventControl && type != kWindowEventShow && type != kWindowEventHide)
    return kStatusNoItem;
  switch (controlId) {
    case ControlId::kWindowPosition: return UpdateWindowPosition();
    case ControlId::kKeystrokeDialog: return RunDefineDialog(kKeystrokeWindow, controlId, false);
    case ControlId::kModifierDialog: return RunDefineDialog(kModifierWindow, controlId, false);
    case ControlId::kRunDialog: return RunDefineDialog(kRunWindow, controlId, false);
    case ControlId::kApplyOnRefresh: {
      // A switch menu was given the mode toggle: confirming writes it, and
      // every list shows what the driver now holds.
      DropStatus(Send(kViewRefresh, controlId), "the list shows what the driver kept");
      Broadcast(kViewRefresh);
      return kStatusOk;
    }
    case ControlId::kDiagnosticsDialog: return RunDefineDialog(kDiagnosticsWindow, controlId, true);
    case ControlId::kAdvancedSettings: return RunAdvancedSettings();
    case ControlId::kNoSupportedTablet: {
      (void)RunModal(kNoSupportedTabletWindow);
      return CtrlHeld() ? kStatusCtrlHeld : kStatusOk;
    }
    case ControlId::kSelectTablet: (void)RunModal(kSelectTabletWindow); return kStatusOk;
    // Known by their buttons, some of which the table alone names.
    case ControlId::kPenMouseMode:
    case ControlId::kPuckPenMouseMode:
    case ControlId::kWheelFunctionGroup:
    case ControlId::kJoystickScrollGroup:
    case ControlId::kJoystickSwitchGroup:
    case ControlId::kTipModeGroup: return UpdateRadioGroup(controlId);
    default: break;
  }
  ZafWindowObject* control = GetControl(controlId);
  if (control == nullptr) return kStatusNoChild;
  return UpdateByKind(*control, controlId);
}

Status CCPLMainWindow::UpdateByKind(ZafWindowObject& control, std::uint32_t id) {
  switch (static_cast<ControlKind>(control.Kind())) {
    case ControlKind::kText: {
      char text[256] = {};
      KELVO_TRY(Send(kViewGet, id, text));
      control.SetText(text);
      return kStatusOk;
    }
    case ControlKind::kCheckBox: {
      std::uint32_t value = 0;
      KELVO_TRY(Send(kViewGet, id, &value));
      if (auto* box = dynamic_cast<ZafButton*>(&control))
        box->SetChecked(IsAccelerationBox(id) ? value == 3 : value != 0);
      return kStatusOk;
    }
    case ControlKind::kSlider: {
      std::int32_t value = 0;
      KELVO_TRY(Send(kViewGet, id, &value));
      if (id == ControlId::kMouseBallisticsSlider && value >= 0 && value <= 3) value = 3 - value;
      if (auto* slider = dynamic_cast<ZafScrollBar*>(&control)) slider->SetPosition(value);
      return kStatusOk;
    }
    case ControlKind::kComboBox: {
      if (id == ControlId::kTabletComboBox) return UpdateTabletList(control);
      if (id == ControlId::kCalibrationMonitorComboBox) return UpdateMonitorList(control);
      if (auto* list = dynamic_cast<ZafList*>(&control);
          list != nullptr && (id == ControlId::kScreenAreaComboBox || id == ControlId::kTabletAreaComboBox))
        m_mapping.FillChoices(*list, id);
      std::int32_t value = 0;
      KELVO_TRY(Send(kViewGet, id, &value));
      if (auto* list = dynamic_cast<ZafList*>(&control)) list->SetSelection(list->FindValue(value + 1));
      return kStatusOk;
    }
    case ControlKind::kRadio: return UpdateRadioGroup(id);
    case ControlKind::kInteger: {
      std::int32_t value = 0;
      KELVO_TRY(Send(kViewGet, id, &value));
      if (auto* field = dynamic_cast<ZafInteger*>(FindNamed("WFLinesValue"))) field->SetIntegerValue(value);
      return kStatusOk;
    }
    case ControlKind::kPushButton: return kStatusOk;
    case ControlKind::kImage: return UpdateImage(control, id);
    case ControlKind::kRect: return m_mapping.ShowRect(id);
    case ControlKind::kPicture: {
      auto* picture = dynamic_cast<CThumbnail*>(&control);
      return picture != nullptr ? m_mapping.ShowPicture(*picture, id) : kStatusOk;
    }
    case ControlKind::kTab: {
      auto* page = dynamic_cast<ZafWindow*>(&control);
      auto* notebook = page != nullptr ? dynamic_cast<ZafNotebook*>(page->Parent()) : nullptr;
      if (notebook != nullptr) notebook->SetCurrentPage(notebook->IndexOf(*page));
      m_currentPage = id;
      return kStatusOk;
    }
    default: return kStatusNotSupported;
  }
}

Status CCPLMainWindow::UpdateRadioGroup(std::uint32_t id) {
  std::int32_t value = 0;
  KELVO_TRY(Send(kViewGet, id, &value));
  const auto check = [this](const char* name) {
    if (auto* button = dynamic_cast<ZafButton*>(FindBound(name))) button->SetChecked(true);
  };
  switch (id) {
    case ControlId::kPenMouseMode:
    case ControlId::kPuckPenMouseMode: {
      const bool stylus = id == ControlId::kPenMouseMode;
      check(value == 0 ? (stylus ? "TM_PenMode" : "PTM_PenMode")
                       : (stylus ? "TM_MouseMode" : "PTM_MouseMode"));
      const std::uint32_t follower = stylus ? ControlId::kNoAcceleration : ControlId::kMouseSpeedSlider;
      if (ZafWindowObject* control = GetControl(follower)) control->SetDisabled(value == 0);
      return kStatusOk;
    }
    case ControlId::kWheelFunctionGroup:
      check(value == 0 ? "WFScrollLinesButton" : value == 1 ? "WFScrollPageButton" : "WFOffButton");
      return kStatusOk;
    case ControlId::kJoystickScrollGroup: {
      static constexpr const char* kNames[] = {"JoystickScrollOff", "JoystickScrollSlow", "JoystickScrollMedium"};
      check(value >= 0 && value <= 2 ? kNames[value] : "JoystickScrollFast");
      return kStatusOk;
    }
    case ControlId::kJoystickSwitchGroup:
      check(value == 8    ? "JoystickSwitchKeystroke"
            : value == 9  ? "JoystickSwitchModifiers"
            : value == 23 ? "JoystickSwitchRun"
                          : "JoystickSwitchOff");
      return kStatusOk;
    case ControlId::kTipModeGroup:
      check(value == 0 ? "SwitchOnlyButton" : "SwitchPlusTipButton");
      return kStatusOk;
    default: return kStatusNotSupported;
  }
}

Status CCPLMainWindow::UpdateTabletList(ZafWindowObject& control) {
  auto* list = dynamic_cast<ZafList*>(&control);
  if (list == nullptr) return kStatusOk;
  StListCount count;
  KELVO_TRY(Send(ListRequest::kCount, ControlId::kTabletComboBox, &count));
  if (count.count == 0) return kStatusOk;
  list->Clear();
  std::uint32_t current = 0;
  StListForward selected{nullptr, kListByKey, &current};
  const bool hasCurrent = Send(kViewGet, ControlId::kTabletComboBox, &selected) == kStatusOk;
  for (std::uint32_t position = 0; position < count.count; ++position) {
    StListEntryAt at{position, nullptr, nullptr};
    if (Send(ListRequest::kEntryAt, ControlId::kTabletComboBox, &at) != kStatusOk || at.entry == nullptr) continue;
    std::uint32_t key = position;
    StListForward keyOf{at.entry, kListByKey, &key};
    DropStatus(Send(kViewGet, ControlId::kTabletComboBox, &keyOf),
               "a key that cannot be read lists the position instead");
    // Each entry is named after the model of its own tablet.
    char name[256] = {};
    StListForward nameOf{at.entry, kTabletEntryName, name};
    DropStatus(Send(kViewGet, ControlId::kTabletComboBox, &nameOf), "an entry without a name shows blank");
    // As in every list, the value is one more than what a pick sends.
    list->AddEntry({name, std::to_string(key), static_cast<std::int32_t>(key + 1), key});
    if (hasCurrent && key == current) list->SetSelection(static_cast<int>(list->Count()) - 1);
  }
  return kStatusOk;
}

Status CCPLMainWindow::UpdateMonitorList(ZafWindowObject& control) {
  auto* list = dynamic_cast<ZafList*>(&control);
  auto* dialog = dynamic_cast<CCalibrateDialog*>(GetTableWindow(kCalibrateWindow));
  if (list == nullptr || dialog == nullptr || list->Count() != 0) return kStatusOk;
  const ZafWindowObject* prompt = FindNamed("CalibrateMonitorPrompt");
  CMonitorList(dialog->Monitors()).Fill(*list, m_useHid, prompt != nullptr ? prompt->Text() : std::string());
  return kStatusOk;
}

Status CCPLMainWindow::UpdateImage(ZafWindowObject& control, std::uint32_t id) {
  std::uint32_t value = 0;
  const char* prefix = "Transducer_";
  if (id == ControlId::kStylusImage) {
    std::uint32_t toolType = 0;
    std::uint32_t eraser = 0;
    DropStatus(Send(kViewGet, ControlId::kStylusToolType, &toolType),
               "an unknown tool type shows the plain pen");
    DropStatus(Send(kViewGet, ControlId::kEnableEraserCheckBox, &eraser),
               "an unknown eraser state shows the plain pen");
    toolType &= 0xFFFFU;
    value = (toolType == 223 || toolType == 225 || toolType == 226) && (eraser & 0xFFU) == 0 ? 45 : 20;
  } else if (id == ControlId::kPuckImage) {
    DropStatus(Send(kViewGet, id, &value), "an unknown puck shows the default picture");
    value &= 0xFFFFU;
    if (value != 18 && value != 21 && value != 43) value = 21;
  } else if (id == ControlId::kSignalStateImage || id == ControlId::kBatteryStateImage) {
    KELVO_TRY(Send(kViewGet, id, &value));
    prefix = id == ControlId::kSignalStateImage ? "WirelessSignal_" : "BatteryStatus_";
  } else {
    return kStatusOk;
  }
  auto* image = dynamic_cast<ZafImage*>(&control);
  ZafObjectPersistence* persistence = ZafObjectPersistence::Default();
  const ZafBitmapData* bitmap = nullptr;
  if (image == nullptr || persistence == nullptr) return kStatusOk;
  KELVO_TRY(persistence->ReadBitmap(prefix + std::to_string(value), bitmap));
  image->SetBitmap(*bitmap);
  return kStatusOk;
}

Status CCPLMainWindow::UpdateWindowPosition() {
  std::int32_t position[2] = {-1, -1};
  KELVO_TRY(Send(kViewGet, ControlId::kWindowPosition, position));
  if (position[0] == -1 || position[1] == -1) return kStatusOk;
  const ZafRegion region = Region();
  SetRegion(ZafRegion::FromSize(position[0], position[1], region.Width(), region.Height()));
  return kStatusOk;
}

ZafEventType CCPLMainWindow::RunModal(int number) {
  ZafWindow* window = GetTableWindow(number);
  if (window == nullptr) return kZafEventCancel;
  return m_application.WindowManager().RunModal(*window);
}

void CCPLMainWindow::StopTimer() {
  if (m_timer != nullptr) m_application.EventManager().SendTimerEvent(*m_timer, kZafEventTimerOff);
}

void CCPLMainWindow::StartTimer() {
  if (m_timer != nullptr) m_application.EventManager().SendTimerEvent(*m_timer, kZafEventTimerOn);
}

Status CCPLMainWindow::RunDefineDialog(int number, std::uint32_t rootId, bool alwaysApply) {
  StopTimer();
  const ZafEventType closed = RunModal(number);
  DropStatus(Send(alwaysApply || closed == kZafEventOk ? kViewApply : kViewRevert, rootId),
             "the dialog is closed; its views report their own failures");
  Broadcast(kViewRefresh);
  StartTimer();
  return kStatusOk;
}

Status CCPLMainWindow::RunAdvancedSettings() {
  std::int32_t mode = 0;
  if (Send(kViewGet, ControlId::kTipModeGroup, &mode) == kStatusOk) {
    if (auto* button = dynamic_cast<ZafButton*>(
            FindBound(mode == 0 ? "SwitchOnlyButton" : "SwitchPlusTipButton")))
      button->SetChecked(true);
  }
  // The dialog applies its views on OK and hands the window back to the
  // stylus tab then; any other ending hands it back here, without a Revert,
  // so that what an earlier OK wrote stays.
  if (RunModal(kAdvancedWindow) != kZafEventOk) {
    std::uint32_t stylusPage = ControlId::kStylusTab;
    DropStatus(Send(kViewRefresh, ControlId::kTabChange, &stylusPage), "the stylus tab binds what is there");
  }
  Broadcast(kViewRefresh);
  return kStatusOk;
}

Status CCPLMainWindow::SetControlState(std::uint32_t controlId, std::uint32_t state) {
  ZafWindowObject* control = GetControl(controlId);
  // The system maps Tablet PC digitizers: neither the tracking group nor the
  // Mapping tab is shown for them.
  if (controlId == ControlId::kTrackingModeGroup || controlId == ControlId::kMappingTab) {
    std::uint16_t model = 0;
    if (Send(kViewGet, ControlId::kTabletModel, &model) == kStatusOk && IsTabletPcModel(model)) state = kStateHidden;
  }
  if (control == nullptr) {
    // A removed tab page is out of every window but still has its slot.
    if (const int slot = TabSlot(controlId); slot >= 0 && m_tabSlots[static_cast<std::size_t>(slot)].page)
      return SetTabState(controlId, state);
    return kStatusNoChild;
  }
  if (TabSlot(controlId) >= 0) return SetTabState(controlId, state);
  if (controlId == ControlId::kCalibrationMonitorComboBox) {
    if (ZafWindowObject* prompt = FindNamed("CalibrateMonitorPrompt"))
      prompt->SetVisible(state != kStateHidden);
  }
  switch (state) {
    case kStateHidden:
      control->SetVisible(false);
      control->SetDisabled(false);
      break;
    case kStateShown:
      control->SetVisible(true);
      control->SetDisabled(false);
      break;
    case kStateDisabled:
      control->SetVisible(true);
      control->SetDisabled(true);
      break;
    default: control->SetVisible(state != kStateHidden); break;
  }
  return kStatusOk;
}

Status CCPLMainWindow::SetTabState(std::uint32_t tabId, std::uint32_t state) {
  StTabSlot& slot = m_tabSlots[static_cast<std::size_t>(TabSlot(tabId))];
  if (state == kStateHidden) {
    if (slot.page) return kStatusOk;
    auto* page = dynamic_cast<ZafWindow*>(GetControl(tabId));
    auto* notebook = page != nullptr ? dynamic_cast<ZafNotebook*>(page->Parent()) : nullptr;
    if (notebook == nullptr) return kStatusOk;
    const bool wasCurrent = notebook->CurrentPage() == page;
    slot.notebook = notebook;
    slot.page = notebook->RemovePage(*page);
    if (wasCurrent && notebook->CurrentPage() != nullptr) m_currentPage = notebook->CurrentPage()->NumberID();
    return kStatusOk;
  }
  if (state == kStateShown || state == kStateDisabled) {
    if (slot.page && slot.notebook != nullptr) {
      ZafWindow* page = slot.notebook->RestorePage(std::move(slot.page));
      if (page != nullptr) slot.notebook->SetTabDisabled(*page, state == kStateDisabled);
    } else if (auto* page = dynamic_cast<ZafWindow*>(GetControl(tabId))) {
      if (auto* notebook = dynamic_cast<ZafNotebook*>(page->Parent()))
        notebook->SetTabDisabled(*page, state == kStateDisabled);
    }
  }
  return kStatusOk;
}
