#include "views/tabs/CStylusView.h"

#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/menus/CSwitchMenuView.h"

namespace {
// The pen's side switches among its buttons.
constexpr std::int32_t kLowerSwitch = 2;
constexpr std::int32_t kUpperSwitch = 3;
}  // namespace

Status CStylusView::Build() {
  KELVO_TRY(AddItemView(*this, ControlId::kStylusImage, kItemToolTypeCode));
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kStylusDefaultButton));
  KELVO_TRY(AddItemView(*this, ControlId::kEraserFeelSlider, kItemFeel, {.index = 4}));
  KELVO_TRY(AddItemView(*this, ControlId::kStylusToolType, kItemModelCode));
  KELVO_TRY(AddItemView(*this, ControlId::kEnableEraserCheckBox, kItemHasEraser));
  KELVO_TRY(AddItemView(*this, ControlId::kTipFeelSlider, kItemFeel, {.index = 1}));
  KELVO_TRY(AddItemView(*this, ControlId::kDCDSlider, kItemDoubleClickFeel));
  KELVO_TRY(AddItemView<CSwitchMenuView>(*this, ControlId::kUpperSideSwitchComboBox, kButtonBlock,
                                         {.index = kUpperSwitch}));
  return AddItemView<CSwitchMenuView>(*this, ControlId::kLowerSideSwitchComboBox, kButtonBlock,
                                      {.index = kLowerSwitch});
}
