#include "functions/CTabletButton.h"

#include <array>

#include "functions/FunctionBlock.h"

namespace {

constexpr ItemId B = kTabletButtonBlock;

constexpr StItemRow kFixedFunction{kItemFixedFunction, kCodeFixedFunction, DataType::kByte,
                                   BehaviourKind::kLive, 0};

// The whole mask is left out: the single bits carry it.
constexpr std::array<ItemId, 10> kApplied{
    B + kBlockFunction, B + kBlockKeystroke, B + kBlockApplication, B + kBlockName,
    B + kBlockShift,    B + kBlockCtrl,      B + kBlockAlt,         B + kBlockBit16,
    B + kBlockBit8,     B + kBlockClick};

}  // namespace

CTabletButton::~CTabletButton() = default;

Status CTabletButton::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (itemId == kItemFixedFunction) return MakeRowItem(kFixedFunction, GetKey(), item);
  if (const auto row = FunctionBlockRow(kTabletButtonBlock, itemId, BehaviourKind::kLive))
    return MakeRowItem(*row, GetKey(), item);
  return kStatusNoItem;
}

Status CTabletButton::ApplyItems() {
  for (const ItemId id : kApplied) KELVO_TRY(ApplyItem(id));
  return kStatusOk;
}

Status CTabletButton::DefaultItems() {
  for (const ItemId id : kApplied)
    DropStatus(DefaultItem(id), "the other items are reset all the same");
  return kStatusOk;
}
