#include "views/tabs/CPuckView.h"

#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/menus/CSwitchMenuView.h"
#include "views/tabs/CFingerWheelView.h"
#include "views/tabs/CMappingModeView.h"
#include "views/tabs/CMouseBallisticsView.h"
#include "views/tabs/ToolSelectors.h"

namespace {
// A puck's buttons by number, and its finger wheel.
constexpr std::int32_t kLeftButton = 1;
constexpr std::int32_t kRightButton = 2;
constexpr std::int32_t kMiddleButton = 3;
constexpr std::int32_t kWheel = 32;
// Speed, acceleration and tracking mode live in the tool's first mapping.
constexpr StChildPlace kFirstMapping{kSameData, SelectToolMapping, 0};
}  // namespace

Status CPuckView::Build() {
  KELVO_TRY(AddItemView(*this, ControlId::kPuckImage, kItemToolTypeCode));
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kPuckDefaultButton));
  KELVO_TRY(AddItemView<CSwitchMenuView>(*this, ControlId::kLeftPuckButtonComboBox, kButtonBlock, {.index = kLeftButton}));
  KELVO_TRY(AddItemView<CSwitchMenuView>(*this, ControlId::kRightPuckButtonComboBox, kButtonBlock, {.index = kRightButton}));
  KELVO_TRY(AddItemView<CSwitchMenuView>(*this, ControlId::kMidPuckButtonComboBox, kButtonBlock, {.index = kMiddleButton}));
  KELVO_TRY(AddGroupView<CFingerWheelView>(*this, ControlId::kWheelFunctionGroup, {.index = kWheel}));
  KELVO_TRY(AddGroupView<CMouseBallisticsView>(*this, ControlId::kMouseBallisticsGroup, kFirstMapping));
  KELVO_TRY(AddItemView(*this, ControlId::kMouseSpeedSlider, kItemMouseSpeed, kFirstMapping));
  return AddGroupView<CMappingModeView>(*this, ControlId::kPuckTrackingModeGroup, kFirstMapping);
}
