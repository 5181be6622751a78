// What the main window's controls send when the user changes them.
#include <algorithm>

#include "calibration/CCalibrateDialog.h"
#include "calibration/CCalibrationLauncher.h"
#include "host/mainwindow/CCPLMainWindow.h"
#include "toolkit/ZafApplication.h"
#include "toolkit/controls/CThumbnail.h"
#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafInteger.h"
#include "toolkit/controls/ZafList.h"
#include "toolkit/controls/ZafNotebook.h"
#include "toolkit/controls/ZafScrollBar.h"
#include "views/CListSuperView.h"
#include "views/ControlIds.h"

namespace {

constexpr std::int32_t kDefaultWheelLines = 3;
constexpr std::int32_t kMaxWheelLines = 15;

}  // namespace

void CCPLMainWindow::OnControlChanged(ControlHandler handler, ZafWindowObject& control) {
  switch (handler) {
    case ControlHandler::kCheckBox: OnCheckBox(control); break;
    case ControlHandler::kSlider: OnSlider(control); break;
    case ControlHandler::kCombo: OnCombo(control); break;
    case ControlHandler::kInteger: OnInteger(); break;
    case ControlHandler::kRadio: OnRadio(control); break;
    case ControlHandler::kTab: OnTab(control); break;
    case ControlHandler::kButton: OnButton(control); break;
    case ControlHandler::kRect: m_mapping.SendRect(control.NumberID()); break;
    case ControlHandler::kPicture:
      if (auto* picture = dynamic_cast<CThumbnail*>(&control)) m_mapping.SendDraggedArea(*picture);
      break;
    case ControlHandler::kNone: break;
  }
}

void CCPLMainWindow::OnCheckBox(ZafWindowObject& control) {
  auto* box = dynamic_cast<ZafButton*>(&control);
  if (box == nullptr) return;
  const std::uint32_t id = control.NumberID();
  std::uint32_t value = box->Checked() ? 1 : 0;
  if (IsAccelerationBox(id)) value = box->Checked() ? 3 : 1;
  DropStatus(Send(kViewSet, id, &value),
             "a handler answers the toolkit's event; the views keep their own failures");
}

void CCPLMainWindow::OnSlider(ZafWindowObject& control) {
  auto* slider = dynamic_cast<ZafScrollBar*>(&control);
  if (slider == nullptr) return;
  const std::uint32_t id = control.NumberID();
  std::int32_t value = slider->Position();
  if (id == ControlId::kMouseBallisticsSlider) {
    value = 3 - value;
    if (value < 0 || value > 3) value = 3;
  }
  DropStatus(Send(kViewSet, id, &value),
             "a handler answers the toolkit's event; the views keep their own failures");
}

void CCPLMainWindow::OnCombo(ZafWindowObject& control) {
  auto* list = dynamic_cast<ZafList*>(&control);
  const ZafListEntry* entry = list != nullptr ? list->SelectedEntry() : nullptr;
  if (entry == nullptr) return;
  const std::uint32_t id = control.NumberID();
  // The monitor list carries the monitor's number in the entry's own word.
  std::uint32_t value = id == ControlId::kCalibrationMonitorComboBox
                            ? static_cast<std::uint32_t>(entry->data)
                            : static_cast<std::uint32_t>(entry->value - 1);
  if (id == ControlId::kTabletComboBox) {
    PickTablet(value);
    return;
  }
  DropStatus(Send(kViewSet, id, &value),
             "a handler answers the toolkit's event; the views keep their own failures");
}

void CCPLMainWindow::PickTablet(std::uint32_t key) {
  // The tablet list takes the picked entry view itself.
  StListCount count;
  if (Send(ListRequest::kCount, ControlId::kTabletComboBox, &count) != kStatusOk) return;
  for (std::uint32_t position = 0; position < count.count; ++position) {
    StListEntryAt at{position, nullptr, nullptr};
    if (Send(ListRequest::kEntryAt, ControlId::kTabletComboBox, &at) != kStatusOk || at.entry == nullptr) continue;
    std::uint32_t entryKey = 0;
    StListForward keyOf{at.entry, kListByKey, &entryKey};
    if (Send(kViewGet, ControlId::kTabletComboBox, &keyOf) != kStatusOk || entryKey != key) continue;
    DropStatus(Send(kViewSet, ControlId::kTabletComboBox, at.entry),
               "a handler answers the toolkit's event; the views keep their own failures");
    return;
  }
}

void CCPLMainWindow::OnInteger() {
  auto* field = dynamic_cast<ZafInteger*>(FindNamed("WFLinesValue"));
  std::int32_t value = field != nullptr ? field->IntegerValue() : kDefaultWheelLines;
  value = std::clamp(value, 0, kMaxWheelLines);
  if (field != nullptr) field->SetIntegerValue(value);
  DropStatus(Send(kViewSet, ControlId::kWFLinesSpin, &value),
             "a handler answers the toolkit's event; the views keep their own failures");
}

void CCPLMainWindow::OnRadio(ZafWindowObject& control) {
  auto* button = dynamic_cast<ZafButton*>(&control);
  if (button == nullptr || !button->Checked()) return;
  const std::uint32_t group = control.NumberID();
  if (group == ControlId::kTipModeGroup) {
    std::int32_t value = control.Value();
    DropStatus(Send(kViewSet, group, &value),
               "a handler answers the toolkit's event; the views keep their own failures");
    DropStatus(Send(kViewApply, group),
               "a handler answers the toolkit's event; the views keep their own failures");
    return;
  }
  if (group == ControlId::kPenMouseMode || group == ControlId::kPuckPenMouseMode) {
    if (ZafWindowObject* noAcceleration = GetControl(ControlId::kNoAcceleration))
      noAcceleration->SetDisabled(control.Value() == 1);
  }
  std::int32_t value = control.Value() - 1;
  DropStatus(Send(kViewSet, group, &value),
             "a handler answers the toolkit's event; the views keep their own failures");
}

void CCPLMainWindow::OnTab(ZafWindowObject& control) {
  auto* notebook = dynamic_cast<ZafNotebook*>(&control);
  ZafWindow* page = notebook != nullptr ? notebook->CurrentPage() : nullptr;
  if (page == nullptr) return;
  std::uint32_t pageId = page->NumberID();
  if (pageId == m_currentPage) return;
  m_currentPage = pageId;
  DropStatus(Send(kViewSet, ControlId::kTabChange, &pageId),
             "a handler answers the toolkit's event; the views keep their own failures");
  Broadcast(kViewRefresh);
  // Asks for the current tablet: the buffer must not look like a tablet key.
  m_tabletModel = 0;
  DropStatus(Send(kViewGet, ControlId::kTabletModel, &m_tabletModel),
             "a model that cannot be read shows none");
}

void CCPLMainWindow::OnButton(ZafWindowObject& control) {
  switch (const std::uint32_t id = control.NumberID()) {
    case ControlId::kStylusDefaultButton:
    case ControlId::kPuckDefaultButton:
    case ControlId::kTabletDefaultButton:
      DropStatus(Send(kViewSet, id),
                 "a handler answers the toolkit's event; the views keep their own failures");
      break;
    case ControlId::kStylusAdvancedButton:
      DropStatus(Send(kViewRefresh, ControlId::kAdvancedSettings),
                 "the dialog opens with what its views could read");
      DropStatus(UpdateControl(ControlId::kAdvancedSettings, kWindowEventControl),
                 "the dialog's own answer is shown by the dialog");
      break;
    case ControlId::kCalibrateButton:
      // The button's views open the calibration dialog's views first.
      DropStatus(Send(kViewSet, id), "the launcher reads what the views could set up");
      CCalibrationLauncher::Start({m_application, dynamic_cast<CCalibrateDialog*>(GetTableWindow(kCalibrateWindow)),
                                   dynamic_cast<ZafList*>(GetControl(ControlId::kCalibrationMonitorComboBox)),
                                   FindNamed("VersionLabel"), m_timer, m_useHid, m_tabletModel});
      break;
    case ControlId::kHelpButton:
      if (UseManual(ManualMode::kOpen) != kStatusOk) (void)RunModal(kManualNotFoundWindow);
      break;
    case ControlId::kAboutButton:
      if (CtrlHeld())
        DropStatus(Send(kViewRefresh, ControlId::kOpenDiagnostics),
                   "a diagnostics view that cannot open leaves the window as it is");
      else (void)RunModal(kAboutWindow);
      break;
    default: break;
  }
}

bool CCPLMainWindow::CtrlHeld() const { return m_application.Keyboard().IsDown(kZafKeyControl); }
