#include "functions/CWheelDataGrouping.h"

#include <array>

#include "functions/FunctionCodes.h"

namespace {

using enum DataType;
constexpr BehaviourKind kLive = BehaviourKind::kLive;

constexpr std::array<StItemRow, 13> kWheelItems{{
    {kItemWheelFunction, kCodeFunction, kLong, kLive, 0},  // 0 lines, 1 pages, 3 off
    {106, kCodeParameter, kWord, kLive, 0},                // lines per step
    {kItemFixedFunction, kCodeFixedFunction, kByte, kLive, 0},
    {108, kCodeDirectionKeys, kWordList, kLive, 0},
    {109, kCodeDirectionKeys, kWordList, kLive, 1},
    {110, kCodeDirectionName, kWordList, kLive, 0},
    {111, kCodeDirectionName, kWordList, kLive, 1},
    {112, kCodeModifiers, kWord, kLive, 0},
    {113, kCodeModifiers, kWord, kLive, kModifierShift},
    {114, kCodeModifiers, kWord, kLive, kModifierCtrl},
    {115, kCodeModifiers, kWord, kLive, kModifierAlt},
    {116, kCodeModifiers, kWord, kLive, kModifierBit16},
    {117, kCodeModifiers, kWord, kLive, kModifierBit8},
}};

// The function and what it scrolls by, without the modifiers.
constexpr ItemId kFirstReset = kItemWheelFunction;
constexpr ItemId kLastReset = 111;

}  // namespace

CWheelDataGrouping::~CWheelDataGrouping() = default;

Status CWheelDataGrouping::SetKey(const CDataKey& key) {
  KELVO_TRY(CDataGrouping::SetKey(key));
  CDriverData* function = nullptr;
  if (GetItem(kItemWheelFunction, function) != kStatusOk || function == nullptr)
    return kStatusNoChild;
  bool changed = false;
  return function->Refresh(changed, this);
}

Status CWheelDataGrouping::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kWheelItems, itemId, item);
}

Status CWheelDataGrouping::ApplyItems() {
  for (ItemId id = kFirstReset; id <= kLastReset; ++id) KELVO_TRY(ApplyItem(id));
  return kStatusOk;
}

Status CWheelDataGrouping::DefaultItems() {
  for (ItemId id = kFirstReset; id <= kLastReset; ++id)
    DropStatus(DefaultItem(id), "the other items are reset all the same");
  return kStatusOk;
}
