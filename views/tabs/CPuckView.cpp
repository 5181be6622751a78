#include "views/tabs/CPuckView.h"

#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/tabs/ToolSelectors.h"

Status CPuckView::Build() {
  KELVO_TRY(AddItemView(*this, ControlId::kPuckImage, kItemToolTypeCode));
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kPuckDefaultButton));
  return AddItemView(*this, ControlId::kMouseSpeedSlider, kItemMouseSpeed,
                     {.selector = SelectToolMapping});
}
