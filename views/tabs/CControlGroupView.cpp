#include "views/tabs/CControlGroupView.h"

ViewResult CControlGroupView::Dispatch(ViewRequest& request) {
  ViewResult result = kStatusOk;
  for (std::size_t position = 0; position < Count(); ++position) {
    const ViewResult child = ViewAt(position)->Dispatch(request);
    if (LowWord(child) == kStatusHandled) {
      result = kStatusHandled;
      break;
    }
    if (IsStatusResult(child) && result == kStatusOk) result = child;
  }
  if (LowWord(result) != kStatusOk && LowWord(result) != kStatusHandled) {
    DropStatus(ResultStatus(SetStateAndNotify(kStateHidden)), "the failure itself is answered");
    return result;
  }
  DropStatus(ResultStatus(SetStateAndNotify(kStateShown)), "a group the window lacks stays as it is");
  return result;
}
