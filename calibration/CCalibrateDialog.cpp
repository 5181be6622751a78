#include "calibration/CCalibrateDialog.h"

#include <algorithm>
#include <optional>
#include <string>

#include "calibration/CSimulatedPen.h"
#include "model/CDriverLink.h"
#include "model/CDriverObject.h"
#include "platform/Monitors.h"
#include "views/CKelvoView.h"
#include "views/ControlIds.h"

namespace {

constexpr std::int32_t kButtonGap = 8;
constexpr std::uint32_t kCalibratedFlagValue = 1;

// The texts of the window, top to bottom.
constexpr const char* kTextNames[] = {
    "CalibrateScreenText1", "CalibrateStripes", "CalibrateText2", "CalibrateText3", "CalibrateText4",
    "CalibrateText5",       "CalibrateText6",   "CalibrateText7", "CalibrateText8", "CalibrateText9"};

void Move(ZafWindowObject& object, std::int32_t left, std::int32_t top) {
  const ZafRegion region = object.Region();
  object.SetRegion(ZafRegion::FromSize(left, top, region.Width(), region.Height()));
}

void Show(ZafWindowObject* object, bool shown) {
  if (object != nullptr) object->SetVisible(shown);
}

StCalibrationPoint Centre(const ZafWindowObject& target) {
  const ZafRegion& region = target.Region();
  return {SpanCentre(region.left, region.right), SpanCentre(region.top, region.bottom)};
}

}  // namespace

CCalibrateDialog::CCalibrateDialog() = default;

CCalibrateDialog::~CCalibrateDialog() = default;

ZafEventType CCalibrateDialog::Event(const ZafEventStruct& event) {
  switch (event.type) {
    case kZafEventMonitorRect:
      m_monitor = event.data;
      break;
    case kZafEventInitialize:
      Open();
      Restart();
      break;
    case kZafEventRestart:
      Restart();
      break;
    case kZafEventPenTap:
      Tap(event);
      break;
    case kZafEventOk:
      ShowPointerAgain();
      SendToAll(kViewApply);
      break;
    case kZafEventCancel:
    case kZafEventClose:
      ShowPointerAgain();
      SendToAll(kViewRevert);
      break;
    case kZafEventKey:
      if (event.key.down && event.key.virtualKey == kZafKeyEscape) {
        ZafEventStruct close = event;
        close.type = kZafEventClose;
        return Event(close);
      }
      break;
    default:
      break;
  }
  return ZafDialogWindow::Event(event);
}

void CCalibrateDialog::Open() {
  m_texts.clear();
  for (const char* name : kTextNames) {
    if (ZafWindowObject* text = Find(name)) m_texts.push_back(text);
  }
  // The layout's own widths, kept from the first opening: a narrow monitor cuts lines.
  if (m_textWidths.size() != m_texts.size()) {
    m_textWidths.clear();
    for (ZafWindowObject* text : m_texts) m_textWidths.push_back(text->Region().Width());
  }
  std::int32_t maximum[2] = {0, 0};
  DropStatus(SendViewRequest(kViewGet, ControlId::kTabletMaximum, maximum), "no maximum: every tap is ignored");
  m_maxX = maximum[0];
  m_maxY = maximum[1];
  // The window covers the monitor exactly (region edges are inclusive).
  if (m_monitor[2] > m_monitor[0] && m_monitor[3] > m_monitor[1])
    SetRegion({m_monitor[0], m_monitor[1], m_monitor[2] - 1, m_monitor[3] - 1});
  m_upperLeft = Find("CalibrateULTarget");
  m_lowerRight = Find("CalibrateLRTarget");
  m_tryAgain = Find("CalibrateTryAgain");
  m_cancel = Find("CalibrateCancel");
  m_ok = Find("CalibrateOK");
  if (m_tryAgain != nullptr) m_tryAgain->SetSendMessage(kZafEventRestart);
  Layout();
}

void CCalibrateDialog::Layout() {
  const std::int32_t width = Region().Width();
  const std::int32_t height = Region().Height();
  // The lower-right target lies as far from that corner as the other from its own.
  if (m_upperLeft != nullptr && m_lowerRight != nullptr) {
    const ZafRegion& ul = m_upperLeft->Region();
    const ZafRegion& lr = m_lowerRight->Region();
    Move(*m_lowerRight, width - ul.left - lr.Width(), height - ul.top - lr.Height());
  }
  std::vector<ZafWindowObject*> buttons;
  for (ZafWindowObject* button : {m_ok, m_tryAgain, m_cancel}) {
    if (button != nullptr) buttons.push_back(button);
  }
  if (m_texts.empty()) return;
  // Texts and buttons keep their vertical spacing, as one block in the middle.
  std::int32_t top = m_texts.front()->Region().top;
  std::int32_t bottom = m_texts.back()->Region().bottom;
  for (ZafWindowObject* object : buttons) bottom = std::max(bottom, object->Region().bottom);
  const std::int32_t shift = (height - (bottom - top + 1)) / 2 - top;
  for (std::size_t i = 0; i < m_texts.size(); ++i) {
    ZafWindowObject* text = m_texts[i];
    const std::int32_t lineWidth = std::min(m_textWidths[i], width);
    text->SetRegion(ZafRegion::FromSize((width - lineWidth) / 2, text->Region().top + shift, lineWidth,
                                        text->Region().Height()));
  }
  std::int32_t rowWidth = -kButtonGap;
  for (ZafWindowObject* button : buttons) rowWidth += button->Region().Width() + kButtonGap;
  std::int32_t left = (width - rowWidth) / 2;
  for (ZafWindowObject* button : buttons) {
    Move(*button, left, button->Region().top + shift);
    left += button->Region().Width() + kButtonGap;
  }
}

void CCalibrateDialog::Restart() {
  if (!m_pointerHidden) {
    ShowCursor(FALSE);
    m_pointerHidden = true;
  }
  ShowButtons(false);
  Show(m_lowerRight, false);
  Show(m_upperLeft, true);
  m_state = State::kUpperLeft;
}

void CCalibrateDialog::ShowButtons(bool shown) {
  Show(m_cancel, shown);
  Show(m_tryAgain, shown);
  Show(m_ok, shown);
}

void CCalibrateDialog::Tap(const ZafEventStruct& event) {
  if (m_state == State::kDone) return;
  const StCalibrationPoint pen = ReadPen(event.data[0], event.data[1]);
  if (m_state == State::kUpperLeft) {
    if (pen.x >= m_maxX / 2 || pen.y >= m_maxY / 2) return;
    m_first = pen;
    Show(m_upperLeft, false);
    Show(m_lowerRight, true);
    m_state = State::kLowerRight;
    return;
  }
  if (pen.x <= m_maxX / 2 || pen.y <= m_maxY / 2) return;
  m_second = pen;
  Show(m_lowerRight, false);
  StoreResult();
  ShowButtons(true);
  m_state = State::kDone;
  ShowPointerAgain();
}

void CCalibrateDialog::ShowPointerAgain() {
  if (!m_pointerHidden) return;
  ShowCursor(TRUE);
  m_pointerHidden = false;
}

StCalibrationPoint CCalibrateDialog::ReadPen(std::int32_t x, std::int32_t y) {
  // Without a pen near the tablet, the mouse stands for it.
  CDriverObject* driver = GetDriverObject();
  std::optional<CSimulatedPen> pen;
  bool putDown = false;
  if (driver != nullptr) {
    const StCalibrationPoint mapped = MappedPoint(x, y);
    pen.emplace(*driver);
    putDown = pen->PutDownIfAway(mapped.x, mapped.y);
  }
  StCalibrationPoint raw;
  DropStatus(SendViewRequest(kViewRefresh, ControlId::kDeviceXData), "a failed read leaves the last value");
  DropStatus(SendViewRequest(kViewGet, ControlId::kDeviceXData, &raw.x), "no value reads as 0");
  DropStatus(SendViewRequest(kViewRefresh, ControlId::kDeviceYData), "a failed read leaves the last value");
  DropStatus(SendViewRequest(kViewGet, ControlId::kDeviceYData, &raw.y), "no value reads as 0");
  if (putDown) pen->Lift();
  return raw;
}

StCalibrationPoint CCalibrateDialog::MappedPoint(std::int32_t x, std::int32_t y) {
  // The calibrated area in use maps onto the whole window.
  std::int32_t origin[3] = {0, 0, 0};
  std::int32_t extent[3] = {0, 0, 0};
  DropStatus(SendViewRequest(kViewGet, ControlId::kCalibratedOrigin, origin), "no area maps from 0");
  DropStatus(SendViewRequest(kViewGet, ControlId::kCalibratedExtent, extent), "no area maps to 0");
  const std::int64_t width = std::max(1, Region().Width());
  const std::int64_t height = std::max(1, Region().Height());
  return {static_cast<std::int32_t>(origin[0] + std::int64_t{x} * extent[0] / width),
          static_cast<std::int32_t>(origin[1] + std::int64_t{y} * extent[1] / height)};
}

void CCalibrateDialog::StoreResult() {
  if (m_upperLeft == nullptr || m_lowerRight == nullptr) return;
  StCalibrationInput input;
  input.firstTap = m_first;
  input.secondTap = m_second;
  input.upperLeft = Centre(*m_upperLeft);
  input.lowerRight = Centre(*m_lowerRight);
  input.windowSpanX = Region().right - Region().left;
  input.windowSpanY = Region().bottom - Region().top;
  StCalibratedArea area;
  if (!ComputeCalibratedArea(input, area)) return;
  // The driver's third word of each value is kept as it is.
  std::int32_t origin[3] = {0, 0, 0};
  std::int32_t extent[3] = {0, 0, 0};
  DropStatus(SendViewRequest(kViewGet, ControlId::kCalibratedOrigin, origin), "the third word stays 0");
  DropStatus(SendViewRequest(kViewGet, ControlId::kCalibratedExtent, extent), "the third word stays 0");
  std::copy(std::begin(area.origin), std::end(area.origin), origin);
  std::copy(std::begin(area.extent), std::end(area.extent), extent);
  std::uint32_t flag = kCalibratedFlagValue;
  DropStatus(SendViewRequest(kViewSet, ControlId::kCalibratedFlag, &flag), "the driver keeps what it took");
  DropStatus(SendViewRequest(kViewSet, ControlId::kCalibratedOrigin, origin), "the driver keeps what it took");
  DropStatus(SendViewRequest(kViewApply, ControlId::kCalibratedOrigin), "live values are written at once");
  DropStatus(SendViewRequest(kViewSet, ControlId::kCalibratedExtent, extent), "the driver keeps what it took");
  DropStatus(SendViewRequest(kViewApply, ControlId::kCalibratedExtent), "live values are written at once");
}

void CCalibrateDialog::SendToAll(std::uint32_t operation) {
  for (std::uint32_t id : {ControlId::kCalibrateDialog, ControlId::kCalibratedFlag, ControlId::kCalibratedOrigin,
                           ControlId::kCalibratedExtent})
    DropStatus(SendViewRequest(operation, id), "the views answer for themselves");
}
