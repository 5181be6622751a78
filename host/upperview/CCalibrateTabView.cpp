#include "host/upperview/CCalibrateTabView.h"

#include "host/upperview/TabViewMakers.h"
#include "views/CDefaultButtonItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

Status CCalibrateTabView::Build() {
  return kStatusOk;
}
