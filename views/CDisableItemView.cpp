#include "views/CDisableItemView.h"

ViewResult CDisableItemView::Dispatch(ViewRequest& request) {
  const ViewResult result = Perform(request);
  if (IsStatusResult(result) || LowWord(result) == 0) return result;
  std::uint32_t code = result & kResultStateMask;
  if (code == kControlHide) code = kControlShowDisabled;
  if (code != 0)
    DropStatus(NotifyControlState(GetControlId(), code),
               "a window without this control has nothing to show; the view's answer stands");
  return (result & kResultOwned) != 0 ? kStatusHandled : kStatusOk;
}

Status CDisableItemView::Build() { return kStatusOk; }
