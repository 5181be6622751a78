#include "views/tabs/CMappingModeView.h"

#include <cstring>

#include "services/CEventTranslator.h"
#include "settings/mapping/MappingItems.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

namespace {
// The puck's mouse-mode settings: the ballistics slider and its group, the
// speed slider and its group.
constexpr std::uint32_t kPuckMouseControls[] = {ControlId::kMouseBallisticsSlider, ControlId::kMouseBallisticsGroup,
                                                ControlId::kMouseSpeedSlider, ControlId::kMouseSpeedGroup};
}  // namespace

bool CMappingModeView::IsPuckGroup() const { return GetControlId() == ControlId::kPuckTrackingModeGroup; }

Status CMappingModeView::Build() {
  if (IsPuckGroup())
    return AddItemView(*this, ControlId::kPuckPenMouseMode, kMapTrackingMode, {}, 0, &m_modeView);
  KELVO_TRY(AddItemView(*this, ControlId::kPenMouseMode, kMapTrackingMode, {}, 0, &m_modeView));
  return AddItemView(*this, ControlId::kNoAcceleration, kMapAcceleration, {}, 0, &m_noAccelerationView);
}

ViewResult CMappingModeView::Dispatch(ViewRequest& request) {
  if (GetEventTranslator() == nullptr) return kStatusOutOfMemory;
  const ViewResult result = m_modeView->Dispatch(request);
  if (IsStatusResult(result) && LowWord(result) != kStatusHandled) {
    DropStatus(ResultStatus(SetStateAndNotify(kStateHidden)), "the mode's failure is answered");
    return result;
  }
  const bool aboutMode = request.controlId == m_modeView->GetControlId() &&
                         (request.operation == kViewGet || request.operation == kViewSet);
  if (aboutMode && request.data != nullptr) {
    std::uint32_t mode = 0;
    std::memcpy(&mode, request.data, sizeof mode);
    FollowMode(mode);
    SetStateQuietly(kStateShown);
  }
  if (LowWord(result) == kStatusHandled || m_noAccelerationView == nullptr) return result;
  return m_noAccelerationView->Dispatch(request);
}

void CMappingModeView::FollowMode(std::uint32_t mode) {
  const std::uint32_t code = mode != 0 ? kControlShow : kControlShowDisabled;
  if (m_noAccelerationView != nullptr) {
    ViewRequest refresh{kViewRefresh, ControlId::kNoAcceleration, nullptr};
    DropStatus(ResultStatus(m_noAccelerationView->Dispatch(refresh)), "the box keeps what it showed");
    DropStatus(NotifyControlState(ControlId::kNoAcceleration, code), "a window without the box");
    return;
  }
  for (const std::uint32_t id : kPuckMouseControls)
    DropStatus(NotifyControlState(id, code), "a window without the control");
}
