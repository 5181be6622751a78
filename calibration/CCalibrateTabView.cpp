#include "calibration/CCalibrateTabView.h"

#include "views/CDefaultButtonItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

Status CCalibrateTabView::Build() {
  return kStatusOk;
}
