#include "functions/CTouchStrip.h"

#include <array>

#include "functions/FunctionCodes.h"

namespace {

using enum DataType;
constexpr BehaviourKind kLive = BehaviourKind::kLive;

constexpr std::array<StItemRow, 11> kStripItems{{
    {187, kCodeFunction, kLong, kLive, 0},
    {188, kCodeParameter, kWord, kLive, 0},
    {189, kCodeDirectionKeys, kWordList, kLive, 0},
    {190, kCodeDirectionKeys, kWordList, kLive, 1},
    {191, kCodeDirectionName, kWordList, kLive, 0},
    {192, kCodeDirectionName, kWordList, kLive, 1},
    {194, kCodeModifiers, kWord, kLive, kModifierShift},
    {195, kCodeModifiers, kWord, kLive, kModifierCtrl},
    {196, kCodeModifiers, kWord, kLive, kModifierAlt},
    {197, kCodeModifiers, kWord, kLive, kModifierBit16},
    {198, kCodeModifiers, kWord, kLive, kModifierBit8},
}};

}  // namespace

CTouchStrip::~CTouchStrip() = default;

Status CTouchStrip::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kStripItems, itemId, item);
}

// Every item is live and already in the driver; nothing is left to send.
Status CTouchStrip::ApplyItems() {
  for (const StItemRow& row : kStripItems) KELVO_TRY(ApplyItem(row.itemId));
  return kStatusOk;
}

Status CTouchStrip::DefaultItems() {
  for (const StItemRow& row : kStripItems)
    DropStatus(DefaultItem(row.itemId), "the other items are reset all the same");
  return kStatusOk;
}
