#include "views/CMenuSuperView.h"

ViewResult CMenuSuperView::Dispatch(ViewRequest& /*request*/) { return kStatusOk; }

Status CMenuSuperView::Build() { return kStatusOk; }
