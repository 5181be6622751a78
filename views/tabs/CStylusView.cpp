#include "views/tabs/CStylusView.h"

#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "views/CDefaultButtonItemView.h"
#include "views/CItemView.h"
#include "views/ControlIds.h"
#include "views/ViewCreation.h"
#include "views/menus/CSwitchMenuView.h"
#include "views/tabs/CMappingModeView.h"
#include "views/tabs/ToolSelectors.h"

namespace {
// The pen's buttons by number: tip, side switches, eraser.
constexpr std::int32_t kTip = 1;
constexpr std::int32_t kLowerSwitch = 2;
constexpr std::int32_t kUpperSwitch = 3;
constexpr std::int32_t kEraser = 4;
// The tracking mode lives in the tool's first mapping.
constexpr StChildPlace kFirstMapping{kSameData, SelectToolMapping, 0};
}  // namespace

CStylusView::~CStylusView() = default;

Status CStylusView::Build() {
  KELVO_TRY(AddItemView(*this, ControlId::kStylusImage, kItemToolTypeCode));
  KELVO_TRY(AddItemView<CDefaultButtonItemView>(*this, ControlId::kStylusDefaultButton));
  KELVO_TRY(AddItemView(*this, ControlId::kEraserFeelSlider, kItemFeel, {.index = kEraser}));
  KELVO_TRY(AddItemView(*this, ControlId::kStylusToolType, kItemModelCode));
  KELVO_TRY(AddItemView(*this, ControlId::kEnableEraserCheckBox, kItemHasEraser));
  KELVO_TRY(AddItemView<CSwitchMenuView>(*this, ControlId::kUpperSideSwitchComboBox, kButtonBlock, {.index = kUpperSwitch}));
  KELVO_TRY(AddItemView<CSwitchMenuView>(*this, ControlId::kLowerSideSwitchComboBox, kButtonBlock, {.index = kLowerSwitch}));
  KELVO_TRY(AddItemView(*this, ControlId::kTipFeelSlider, kItemFeel, {.index = kTip}));
  KELVO_TRY(AddGroupView<CMappingModeView>(*this, ControlId::kTrackingModeGroup, kFirstMapping));
  return AddItemView(*this, ControlId::kDCDSlider, kItemDoubleClickFeel);
}

ViewResult CStylusView::Dispatch(ViewRequest& request) {
  const ViewResult result = CSuperView::Dispatch(request);
  if (request.operation == kViewSet && request.controlId == ControlId::kEnableEraserCheckBox) {
    // The eraser's feel, the switch next to it and the pen's picture follow the eraser.
    for (const std::uint32_t id : {ControlId::kEraserFeelSlider, ControlId::kUpperSideSwitchComboBox}) {
      ViewRequest refresh{kViewRefresh, id, nullptr};
      DropStatus(ResultStatus(CSuperView::Dispatch(refresh)), "each control shows what it can");
    }
    DropStatus(NotifyControlState(ControlId::kStylusImage, kControlRedisplay), "a window without the image");
  }
  return result;
}

ViewResult CStylusView::Attach(CDataGrouping* data, std::int32_t index) {
  const ViewResult result = CSuperView::Attach(data, index);
  if (LowWord(result) != kStatusOk) return result;
  CKelvoView* modeView = FindView(ControlId::kTrackingModeGroup);
  if (modeView == nullptr || PenDisplayMapping(GetData()) == nullptr) return result;
  KELVO_TRY(RemoveView(modeView, m_keptModeView));
  DropStatus(ResultStatus(m_keptModeView->SetStateAndNotify(kStateUnknown)), "state 3 tells the window nothing");
  for (const std::uint32_t id : {ControlId::kTrackingModeGroup, ControlId::kPenMouseMode, ControlId::kNoAcceleration})
    DropStatus(NotifyControlState(id, kControlHide), "a window without the control");
  return result;
}

ViewResult CStylusView::Detach() {
  if (m_keptModeView) {
    DropStatus(AddView(std::move(m_keptModeView), kFirstMapping.index, kFirstMapping.selector,
                       kFirstMapping.argument),
               "adding to the list only fails for no view");
  }
  return CSuperView::Detach();
}
