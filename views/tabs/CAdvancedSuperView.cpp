#include "views/tabs/CAdvancedSuperView.h"

#include "views/CItemView.h"
#include "views/CRootStack.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

namespace {
// Driver object item behind the side-switch mode radio buttons.
constexpr ItemId kSwitchModeItem = 11;
}  // namespace

Status CAdvancedSuperView::Build() {
  return AddItemView(*this, ControlId::kTipModeGroup, kSwitchModeItem, {}, kValueByte);
}

ViewResult CAdvancedSuperView::Dispatch(ViewRequest& request) {
  if (request.controlId != GetControlId()) return CSuperView::Dispatch(request);
  ViewRequest toAll{request.operation, kBroadcastId, request.data};
  const ViewResult result = CSuperView::Dispatch(toAll);
  if (request.operation == kViewRevert || request.operation == kViewApply) {
    if (CRootStack* roots = FindRootStack(); roots != nullptr) roots->PopRoot();
    (void)Detach();
  }
  return result;
}
