#include "functions/FunctionBlock.h"

#include <array>

namespace {

using enum DataType;
constexpr BehaviourKind kLive = BehaviourKind::kLive;
constexpr BehaviourKind kApply = BehaviourKind::kApply;

// Offsets from the base; the name row's kind is the control's.
constexpr std::array<StItemRow, kBlockSize> kBlock{{
    {kBlockFunction, kCodeFunction, kLong, kApply, 0},
    {kBlockModifiers, kCodeModifiers, kWord, kApply, 0},
    {kBlockShift, kCodeModifiers, kWord, kLive, kModifierShift},
    {kBlockCtrl, kCodeModifiers, kWord, kLive, kModifierCtrl},
    {kBlockAlt, kCodeModifiers, kWord, kLive, kModifierAlt},
    {kBlockBit16, kCodeModifiers, kWord, kLive, kModifierBit16},
    {kBlockBit8, kCodeModifiers, kWord, kLive, kModifierBit8},
    {kBlockClick, kCodeModifiers, kWord, kLive, kModifierClick},
    {kBlockKeystroke, kCodeKeystroke, kWordList, kApply, 0},
    {kBlockApplication, kCodeApplicationPath, kText, kApply, 0},
    {kBlockName, kCodeFunctionName, kWordList, kApply, 0},
}};

}  // namespace

std::optional<StItemRow> FunctionBlockRow(ItemId base, ItemId itemId, BehaviourKind nameKind) {
  const ItemId offset = itemId - base;
  if (offset < 0 || offset >= kBlockSize) return std::nullopt;
  StItemRow row = kBlock[static_cast<std::size_t>(offset)];
  row.itemId = itemId;
  if (offset == kBlockName) row.kind = nameKind;
  return row;
}

FunctionData FunctionDataOf(FunctionCode code) {
  switch (code) {
    case kFunctionKeystroke:
    case kFunctionEraseKeystroke: return FunctionData::kKeystroke;
    case kFunctionModifier:
    case kFunctionEraseModifier: return FunctionData::kModifiers;
    case kFunctionRunApplication: return FunctionData::kApplication;
    default: return FunctionData::kNone;
  }
}
