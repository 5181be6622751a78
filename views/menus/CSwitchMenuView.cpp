#include "views/menus/CSwitchMenuView.h"

#include <array>
#include <cstring>

#include "functions/FunctionBlock.h"
#include "settings/CDataGrouping.h"
#include "settings/CDriverData.h"
#include "settings/MakeNoThrow.h"
#include "views/ControlIds.h"
#include "views/menus/CKeystrokeSuperView.h"
#include "views/menus/CModifiersSuperView.h"
#include "views/menus/CRunAppSuperView.h"

namespace {

// What "BDefault" resets besides the function code, in this order.
constexpr std::array<ItemId, 4> kFunctionData = {kBlockModifiers, kBlockKeystroke, kBlockApplication,
                                                 kBlockName};

// The driver answers this item only for a control whose function is fixed.
constexpr ItemId kFixedFunctionItem = kItemFixedFunction;

// Refreshes an item without counting as one of its views.
Status RefreshItem(CDataGrouping& grouping, ItemId id) {
  CDriverData* item = nullptr;
  KELVO_TRY(grouping.GetItem(id, item));
  bool changed = false;
  return item->Refresh(changed, &grouping);
}

}  // namespace

CSwitchMenuView::CSwitchMenuView(std::uint32_t controlId, ItemId base, std::uint32_t valueType)
    : CItemView(controlId, base, valueType) {}

CSwitchMenuView::~CSwitchMenuView() = default;

ViewResult CSwitchMenuView::CanAttach(CDataGrouping* data, std::int32_t index) {
  CDataGrouping* grouping = ResolveViewData(data, index);
  const bool programmable = grouping != nullptr && RefreshItem(*grouping, GetItemId()) == kStatusOk &&
                            RefreshItem(*grouping, kFixedFunctionItem) != kStatusOk;
  if (!programmable) {
    DropStatus(ResultStatus(SetStateAndNotify(kStateHidden)), "a window may show no list");
    return kStatusNoChild;
  }
  DropStatus(ResultStatus(SetStateAndNotify(kStateShown)), "a window may show no list");
  return CItemView::CanAttach(grouping, kSameData);
}

ViewResult CSwitchMenuView::Attach(CDataGrouping* data, std::int32_t index) {
  m_grouping = ResolveViewData(data, index);
  return CItemView::Attach(m_grouping, kSameData);
}

ViewResult CSwitchMenuView::DispatchToSelf(std::uint32_t operation, std::uint32_t controlId, void* data) {
  ViewRequest request{operation, controlId, data};
  return Dispatch(request);
}

ViewResult CSwitchMenuView::Dispatch(ViewRequest& request) {
  const bool closing = request.operation == kViewRevert || request.operation == kViewApply;
  if (m_pending != 0 && request.controlId == m_pending && closing) {
    // OK applies the function picked before the dialog; Cancel puts back
    // the one the driver had.
    m_pending = 0;
    const ViewResult result = DispatchToSelf(request.operation, kBroadcastId);
    DropStatus(SendViewRequest(kViewRefresh, kBroadcastId), "the list shows the function at the next refresh");
    return result;
  }
  const bool picked = request.operation == kViewSet && request.controlId == GetControlId() && request.data != nullptr;
  FunctionCode code = 0;
  if (picked) std::memcpy(&code, request.data, sizeof code);
  if (picked && code == kFunctionDefault) {
    DropStatus(ResultStatus(DispatchToSelf(kViewDefault, GetControlId())), "applied below all the same");
    const ViewResult applied = DispatchToSelf(kViewApply, GetControlId());
    // The list shows the function put back instead of the "BDefault" entry.
    DropStatus(SendViewRequest(kViewRefresh, GetControlId()), "shown at the next refresh otherwise");
    return applied;
  }
  const ViewResult result = CItemView::Dispatch(request);
  if (request.operation == kViewDefault && m_grouping != nullptr && GetItem() != nullptr) DefaultFunctionData();
  if (!picked || GetItem() == nullptr) return result;
  const Status acted = ActOnFunction(code);
  return acted != kStatusOk ? ViewResult{acted} : result;
}

void CSwitchMenuView::DefaultFunctionData() {
  for (const ItemId offset : kFunctionData) {
    CDriverData* item = nullptr;
    if (m_grouping->GetItem(GetItemId() + offset, item) != kStatusOk) continue;
    DropStatus(item->SetDefault(), "the other items are reset all the same");
    DropStatus(item->Apply(), "the other items are written all the same");
  }
}

Status CSwitchMenuView::ActOnFunction(FunctionCode code) {
  const ItemId base = GetItemId();
  switch (FunctionDataOf(code)) {
    case FunctionData::kKeystroke:
      return OpenDialog(m_keystrokeRoot, ControlId::kKeystrokeDialog, base + kBlockKeystroke);
    case FunctionData::kModifiers:
      return OpenDialog(m_modifierRoot, ControlId::kModifierDialog, base + kBlockModifiers);
    case FunctionData::kApplication:
      return OpenDialog(m_runRoot, ControlId::kRunDialog, base + kBlockApplication, base + kBlockName);
    case FunctionData::kNone: break;
  }
  if (code == kFunctionModeToggle) {
    // The window confirms the choice with a Refresh to 2300, taken as Apply.
    m_pending = ControlId::kApplyOnRefresh;
    DropStatus(NotifyControlState(ControlId::kApplyOnRefresh, kControlRedisplay), "written when confirmed");
    return kStatusOk;
  }
  DropStatus(ResultStatus(DispatchToSelf(kViewApply, GetControlId())), "the list shows what the driver keeps");
  return kStatusOk;
}

template <typename TRoot, typename... Items>
Status CSwitchMenuView::OpenDialog(std::unique_ptr<TRoot>& root, std::uint32_t rootId, Items... items) {
  if (!root) {
    root = MakeNoThrow<TRoot>(rootId);
    if (!root) return kStatusOutOfMemory;
  }
  KELVO_TRY(root->BuildFor(items...));
  m_pending = rootId;
  // Attaching opens the dialog; it returns when the dialog has closed.
  DropStatus(ResultStatus(root->Attach(m_grouping, kSameData)), "the dialog's closing settles the function");
  return kStatusOk;
}
