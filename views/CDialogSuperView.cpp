#include "views/CDialogSuperView.h"

#include "views/CRootStack.h"

ViewResult CDialogSuperView::Attach(CDataGrouping* data, std::int32_t index) {
  const ViewResult result = CSuperView::Attach(data, index);
  if (LowWord(result) != kStatusOk) return result;
  if (CRootStack* roots = FindRootStack(); roots != nullptr) roots->PushRoot(this);
  ViewRequest refresh{kViewRefresh, kBroadcastId, nullptr};
  DropStatus(Dispatch(refresh), "the dialog opens with what the views could read");
  ViewRequest commit{kViewCommit, kBroadcastId, nullptr};
  DropStatus(Dispatch(commit), "the dialog opens with what the views could read");
  DropStatus(NotifyControlState(GetControlId(), kControlRedisplay),
             "a window without this control has nothing to show; the view's answer stands");
  return kStatusOk;
}

ViewResult CDialogSuperView::Dispatch(ViewRequest& request) {
  if (request.controlId != GetControlId()) return CSuperView::Dispatch(request);
  ViewRequest toChildren{request.operation, kBroadcastId, request.data};
  const ViewResult result = CSuperView::Dispatch(toChildren);
  if (request.operation != kViewApply && request.operation != kViewRevert) {
    return LowWord(result) != kStatusOk ? result : ViewResult{kStatusHandled};
  }
  CRootStack* roots = FindRootStack();
  if (roots != nullptr) roots->PopRoot();
  DropStatus(Detach(), "the dialog's views let go either way");
  if (roots == nullptr) return kStatusHandled;
  const ViewResult below = roots->HandleRequest(request);
  return LowWord(below) != kStatusOk ? below : ViewResult{kStatusHandled};
}
