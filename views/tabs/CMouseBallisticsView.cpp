#include "views/tabs/CMouseBallisticsView.h"

#include "settings/mapping/MappingItems.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

Status CMouseBallisticsView::Build() {
  return AddItemView(*this, ControlId::kMouseBallisticsSlider, kMapAcceleration);
}
