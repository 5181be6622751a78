#include "functions/CBattery.h"

#include <array>

#include "functions/FunctionCodes.h"

namespace {

constexpr std::array<StItemRow, 2> kBatteryItems{{
    {172, 52, DataType::kLong, BehaviourKind::kLive, 0},  // state, the picture's number
    {kItemBatteryLow, 233, DataType::kWord, BehaviourKind::kLive, 0},
}};

}  // namespace

CBattery::~CBattery() = default;

Status CBattery::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kBatteryItems, itemId, item);
}

Status CBattery::ApplyItems() {
  return ApplyItem(kItemBatteryLow);
}

Status CBattery::DefaultItems() {
  DropStatus(DefaultItem(kItemBatteryLow), "a reset has nothing to report");
  return kStatusOk;
}
