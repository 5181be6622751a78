#include "views/CDefaultButtonItemView.h"

ViewResult CDefaultButtonItemView::Dispatch(ViewRequest& request) {
  const ViewResult result = CItemView::Dispatch(request);
  const bool addressed = request.controlId == GetControlId();
  if (addressed && request.operation == kViewSet) {
    static_cast<void>(SendViewRequest(kViewDefault, kBroadcastId));
    static_cast<void>(SendViewRequest(kViewApply, kBroadcastId));
    static_cast<void>(SendViewRequest(kViewRefresh, kBroadcastId));
  }
  if (LowWord(result) != 0) return result;
  return addressed ? kStatusHandled : kStatusOk;
}
