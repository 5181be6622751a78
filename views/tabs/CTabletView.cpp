#include "views/tabs/CTabletView.h"

#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/tabs/ToolSelectors.h"

Status CTabletView::Build() {
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kTabletDefaultButton));
  KELVO_TRY(AddItemView(*this, ControlId::kSignalStateImage, kItemSignalState, {}, kValueByte));
  KELVO_TRY(AddItemView(*this, ControlId::kBatteryStateImage, kItemBatteryState,
                        {.selector = SelectTabletControl}, kValueWord));
  KELVO_TRY(AddItemView(*this, ControlId::kBatteryLow, kItemBatteryLow,
                        {.selector = SelectTabletControl}, kValueWord));
  return AddItemView(*this, ControlId::kJoystickScrollGroup, kItemJoystickSpeed,
                     {.selector = SelectTabletControl, .argument = 1}, kValueWord);
}
