#include "views/tabs/CMappingTabView.h"

#include <cstring>

#include "services/ControlStates.h"
#include "settings/mapping/MappingItems.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/tabs/CMappingPicture.h"
#include "views/tabs/ToolSelectors.h"

namespace {

struct StMappingChild {
  std::uint32_t controlId;
  ItemId itemId;
};

// The rectangles come before their choices, so that a choice read at attach
// greys its fields after they were shown.
constexpr StMappingChild kChildren[] = {
    {ControlId::kMappingTabletBounds, kMapTabletBounds},
    {ControlId::kScreenAreaRect, kMapScreenRect},
    {ControlId::kTabletAreaRect, kMapTabletRect},
    {ControlId::kScreenAreaComboBox, kMapDisplayArea},
    {ControlId::kTabletAreaComboBox, kMapTabletArea},
    {ControlId::kForceProportions, kMapProportionOnOff},
    {ControlId::kTabletPreview, kMapPreview},
    {ControlId::kScreenPreview, kMapPreview},
};

// The controls that change the mapping.
bool ChangesMapping(std::uint32_t controlId) {
  switch (controlId) {
    case ControlId::kScreenAreaComboBox:
    case ControlId::kScreenAreaRect:
    case ControlId::kTabletAreaComboBox:
    case ControlId::kTabletAreaRect:
    case ControlId::kForceProportions: return true;
    default: return false;
  }
}

}  // namespace

Status CMappingTabView::Build() {
  const StChildPlace mapping{kSameData, SelectToolMapping, 0};
  for (const StMappingChild& child : kChildren) KELVO_TRY(AddItemView(*this, child.controlId, child.itemId, mapping));
  return kStatusOk;
}

ViewResult CMappingTabView::Dispatch(ViewRequest& request) {
  const ViewResult result = CSuperView::Dispatch(request);
  if (LowWord(result) != kStatusHandled || request.data == nullptr) return result;
  const bool getOrSet = request.operation == kViewGet || request.operation == kViewSet;
  if (getOrSet && request.controlId == ControlId::kScreenAreaComboBox)
    FollowChoice(ControlId::kScreenAreaRect, request.data);
  if (getOrSet && request.controlId == ControlId::kTabletAreaComboBox)
    FollowChoice(ControlId::kTabletAreaRect, request.data);
  if (request.operation == kViewSet && ChangesMapping(request.controlId)) ShowChange();
  return result;
}

void CMappingTabView::FollowChoice(std::uint32_t rectId, const void* choice) {
  std::uint16_t value = 0;
  std::memcpy(&value, choice, sizeof value);
  DropStatus(NotifyControlState(rectId, value == CMappingPicture::kPartChoice ? kControlShow : kControlShowDisabled),
             "a window without the fields");
}

void CMappingTabView::ShowChange() {
  ViewRequest refresh{kViewRefresh, kBroadcastId, nullptr};
  DropStatus(ResultStatus(CSuperView::Dispatch(refresh)), "each control keeps what it showed");
  for (const std::uint32_t picture : {ControlId::kTabletPreview, ControlId::kScreenPreview})
    DropStatus(NotifyControlState(picture, kControlRedisplay), "a window without the picture");
}
