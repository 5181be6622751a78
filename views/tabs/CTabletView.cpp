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
// The tablet's controls by position: the battery, then the joystick with its
// switch as button 0.
constexpr StChildPlace kBattery{kSameData, SelectTabletControl, 0};
constexpr StChildPlace kJoystick{kSameData, SelectTabletControl, 1};
constexpr StChildPlace kJoystickSwitch{0, SelectTabletControl, 1};
}  // namespace

Status CTabletView::Build() {
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kTabletDefaultButton));
  KELVO_TRY(AddItemView(*this, ControlId::kSignalStateImage, kItemSignalState, {}, kValueByte));
  KELVO_TRY(AddItemView(*this, ControlId::kBatteryStateImage, kItemBatteryState, kBattery, kValueWord));
  KELVO_TRY(AddItemView(*this, ControlId::kBatteryLow, kItemBatteryLow, kBattery, kValueWord));
  KELVO_TRY(AddItemView(*this, ControlId::kJoystickScrollGroup, kItemJoystickSpeed, kJoystick, kValueWord));
  return AddItemView<CSwitchMenuView>(*this, ControlId::kJoystickSwitchGroup, kButtonBlock, kJoystickSwitch);
}
