#include "functions/CRoller.h"

#include <array>

#include "functions/FunctionCodes.h"

namespace {

constexpr std::array<StItemRow, 2> kRollerItems{{
    {kItemRollerFunction, kCodeFunction, DataType::kLong, BehaviourKind::kLive, 0},
    {kItemRollerFunction + 1, kCodeParameter, DataType::kWord, BehaviourKind::kLive, 0},
}};

}  // namespace

CRoller::~CRoller() = default;

Status CRoller::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kRollerItems, itemId, item);
}

Status CRoller::ApplyItems() {
  for (const StItemRow& row : kRollerItems) KELVO_TRY(ApplyItem(row.itemId));
  return kStatusOk;
}

Status CRoller::DefaultItems() {
  for (const StItemRow& row : kRollerItems)
    DropStatus(DefaultItem(row.itemId), "the other is reset all the same");
  return kStatusOk;
}
