#include "views/COnOffView.h"

#include "model/ModelCodes.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

ViewResult COnOffView::Dispatch(ViewRequest& request) {
  const ViewResult result = CSuperView::Dispatch(request);
  if (LowWord(result) != kStatusOk && LowWord(result) != kStatusHandled) {
    DropStatus(SetStateAndNotify(kStateHidden),
               "the group never claims a request; its state only follows the result");
  }
  DropStatus(SetStateAndNotify(kStateShown),
             "the group never claims a request; its state only follows the result");
  return kStatusOk;
}

Status COnOffView::Build() {
  return AddItemView(*this, ControlId::kDriverOnButton, kItemDriverOn);
}
