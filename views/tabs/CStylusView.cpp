#include "views/tabs/CStylusView.h"

#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"

Status CStylusView::Build() {
  KELVO_TRY(AddItemView(*this, ControlId::kStylusImage, kItemToolTypeCode));
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kStylusDefaultButton));
  KELVO_TRY(AddItemView(*this, ControlId::kEraserFeelSlider, kItemFeel, {.index = 4}));
  KELVO_TRY(AddItemView(*this, ControlId::kStylusToolType, kItemModelCode));
  KELVO_TRY(AddItemView(*this, ControlId::kEnableEraserCheckBox, kItemHasEraser));
  KELVO_TRY(AddItemView(*this, ControlId::kTipFeelSlider, kItemFeel, {.index = 1}));
  return AddItemView(*this, ControlId::kDCDSlider, kItemDoubleClickFeel);
}
