#include "views/tabs/CTabletView.h"

#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/tabs/ToolSelectors.h"

Status CTabletView::Build() {
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kTabletDefaultButton));
  KELVO_TRY(AddItemView(*this, ControlId::kSignalStateImage, 35, {}, kValueByte));
  KELVO_TRY(AddItemView(*this, ControlId::kBatteryStateImage, 172, {.selector = SelectTabletControl}, kValueWord));
  KELVO_TRY(AddItemView(*this, ControlId::kBatteryLow, 173, {.selector = SelectTabletControl}, kValueWord));
  return AddItemView(*this, ControlId::kJoystickScrollGroup, 174,
                     {.selector = SelectTabletControl, .argument = 1}, kValueWord);
}
