#include "views/tabs/CAdvancedSuperView.h"

#include "model/ModelCodes.h"
#include "views/CItemView.h"
#include "views/CRootStack.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

Status CAdvancedSuperView::Build() {
  return AddItemView(*this, ControlId::kTipModeGroup, kItemSwitchMode, {}, kValueByte);
}

ViewResult CAdvancedSuperView::Dispatch(ViewRequest& request) {
  if (request.controlId != GetControlId()) return CSuperView::Dispatch(request);
  ViewRequest toAll{request.operation, kBroadcastId, request.data};
  const ViewResult result = CSuperView::Dispatch(toAll);
  if (request.operation == kViewRevert || request.operation == kViewApply) {
    if (CRootStack* roots = FindRootStack(); roots != nullptr) roots->PopRoot();
    DropStatus(Detach(), "the dialog's views let go either way");
  }
  return result;
}
