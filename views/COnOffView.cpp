#include "views/COnOffView.h"

#include "views/ControlIds.h"
#include "views/ViewCreation.h"

ViewResult COnOffView::Dispatch(ViewRequest& request) {
  const ViewResult result = CSuperView::Dispatch(request);
  if (LowWord(result) != kStatusOk && LowWord(result) != kStatusHandled) {
    static_cast<void>(SetStateAndNotify(kStateHidden));
  }
  static_cast<void>(SetStateAndNotify(kStateShown));
  return kStatusOk;
}

Status COnOffView::Build() { return AddItemView(*this, ControlId::kDriverOnButton, kDriverOnItem); }
