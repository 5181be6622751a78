#include "views/CDefaultButtonItemView.h"

ViewResult CDefaultButtonItemView::Dispatch(ViewRequest& request) {
  const ViewResult result = CItemView::Dispatch(request);
  const bool addressed = request.controlId == GetControlId();
  if (addressed && request.operation == kViewSet) {
    DropStatus(SendViewRequest(kViewDefault, kBroadcastId),
               "the broadcast reaches every view; one failing view stops no other");
    DropStatus(SendViewRequest(kViewApply, kBroadcastId),
               "the broadcast reaches every view; one failing view stops no other");
    DropStatus(SendViewRequest(kViewRefresh, kBroadcastId),
               "the broadcast reaches every view; one failing view stops no other");
  }
  if (LowWord(result) != 0) return result;
  return addressed ? kStatusHandled : kStatusOk;
}
