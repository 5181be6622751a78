#include "views/tabs/CPuckView.h"

#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/menus/CSwitchMenuView.h"
#include "views/tabs/ToolSelectors.h"

namespace {
// A puck's buttons by number.
constexpr std::int32_t kLeftButton = 1;
constexpr std::int32_t kRightButton = 2;
constexpr std::int32_t kMiddleButton = 3;
}  // namespace

Status CPuckView::Build() {
  KELVO_TRY(AddItemView(*this, ControlId::kPuckImage, kItemToolTypeCode));
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kPuckDefaultButton));
  KELVO_TRY(AddItemView(*this, ControlId::kMouseSpeedSlider, kItemMouseSpeed, {.selector = SelectToolMapping}));
  KELVO_TRY(AddItemView<CSwitchMenuView>(*this, ControlId::kLeftPuckButtonComboBox, kButtonBlock,
                                         {.index = kLeftButton}));
  KELVO_TRY(AddItemView<CSwitchMenuView>(*this, ControlId::kRightPuckButtonComboBox, kButtonBlock,
                                         {.index = kRightButton}));
  return AddItemView<CSwitchMenuView>(*this, ControlId::kMidPuckButtonComboBox, kButtonBlock,
                                      {.index = kMiddleButton});
}
