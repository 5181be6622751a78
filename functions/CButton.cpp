#include "functions/CButton.h"

#include <array>

#include "functions/FunctionBlock.h"

namespace {

constexpr std::array<StItemRow, 2> kButtonItems{{
    {kItemButtonName, kCodeButtonName, DataType::kText, BehaviourKind::kLive, 0},
    {kItemFixedFunction, kCodeFixedFunction, DataType::kByte, BehaviourKind::kLive, 0},
}};

// The mask and the single-bit items address one driver value; the mask is
// what reaches the driver with the function.
constexpr std::array<ItemId, 4> kApplied{
    kButtonBlock + kBlockFunction, kButtonBlock + kBlockModifiers, kButtonBlock + kBlockKeystroke,
    kButtonBlock + kBlockApplication};

}  // namespace

CButton::~CButton() = default;

Status CButton::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (const auto row = FunctionBlockRow(kButtonBlock, itemId, BehaviourKind::kApply))
    return MakeRowItem(*row, GetKey(), item);
  return GetTableItem(kButtonItems, itemId, item);
}

Status CButton::ApplyItems() {
  for (const ItemId id : kApplied) KELVO_TRY(ApplyItem(id));
  return kStatusOk;
}

Status CButton::DefaultItems() {
  for (const ItemId id : kApplied)
    DropStatus(DefaultItem(id), "the other items are reset all the same");
  return kStatusOk;
}
