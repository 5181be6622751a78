#include "views/menus/CModifiersSuperView.h"

#include <array>

#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/menus/DialogViews.h"

namespace {

// 2101 to 2107 follow the mask item and its six bits in order.
constexpr std::array<std::uint32_t, 7> kMaskControls = {
    ControlId::kModifierMask, ControlId::kShiftCheckBox,  ControlId::kCtrlCheckBox, ControlId::kAltCheckBox,
    ControlId::kModifierBit16, ControlId::kModifierBit8, ControlId::kClickCheckBox};

constexpr std::uint16_t kNoModifiers = 0;
constexpr std::uint32_t kMatchEqual = 0;

}  // namespace

Status CModifiersSuperView::BuildFor(ItemId mask) {
  RemoveAllViews(*this);
  ItemId item = mask;
  for (const std::uint32_t control : kMaskControls) KELVO_TRY(AddItemView(*this, control, item++));
  CItemView* zero = nullptr;
  KELVO_TRY(AddItemView(*this, ControlId::kModifierMaskZero, mask, {}, 0, &zero));
  return zero->SetReference(&kNoModifiers, sizeof kNoModifiers, kMatchEqual);
}

ViewResult CModifiersSuperView::Dispatch(ViewRequest& request) {
  const ViewResult result = CDialogSuperView::Dispatch(request);
  if (request.operation == kViewSet && (LowWord(result) == kStatusOk || LowWord(result) == kStatusHandled)) {
    ViewRequest refresh{kViewRefresh, ControlId::kModifierMaskZero, nullptr};
    DropStatus(ResultStatus(CDialogSuperView::Dispatch(refresh)), "the OK state follows at the next refresh");
  }
  return result;
}
