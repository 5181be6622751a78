#include "views/tabs/CTabletView.h"

#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/menus/CSwitchMenuView.h"
#include "views/tabs/ToolSelectors.h"

namespace {
// The tablet's joystick among its controls, and its switch among the joystick's.
constexpr std::uint32_t kJoystick = 1;
constexpr std::int32_t kJoystickSwitch = 0;
}  // namespace

Status CTabletView::Build() {
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kTabletDefaultButton));
  KELVO_TRY(AddItemView(*this, ControlId::kSignalStateImage, kItemSignalState, {}, kValueByte));
  KELVO_TRY(AddItemView(*this, ControlId::kBatteryStateImage, kItemBatteryState,
                        {.selector = SelectTabletControl}, kValueWord));
  KELVO_TRY(AddItemView(*this, ControlId::kBatteryLow, kItemBatteryLow,
                        {.selector = SelectTabletControl}, kValueWord));
  KELVO_TRY(AddItemView(*this, ControlId::kJoystickScrollGroup, kItemJoystickSpeed,
                        {.selector = SelectTabletControl, .argument = kJoystick}, kValueWord));
  return AddItemView<CSwitchMenuView>(
      *this, ControlId::kJoystickSwitchGroup, kButtonBlock,
      {.index = kJoystickSwitch, .selector = SelectTabletControl, .argument = kJoystick});
}
