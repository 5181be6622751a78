#include "views/CDisableItemView.h"

ViewResult CDisableItemView::Dispatch(ViewRequest& request) {
  const ViewResult result = Perform(request);
  if (IsStatusResult(result) || LowWord(result) == 0) return result;
  std::uint32_t code = result & kResultStateMask;
  if (code == kControlHide) code = kControlShowDisabled;
  if (code != 0) static_cast<void>(NotifyControlState(GetControlId(), code));
  return (result & kResultOwned) != 0 ? kStatusHandled : kStatusOk;
}

Status CDisableItemView::Build() { return kStatusOk; }
