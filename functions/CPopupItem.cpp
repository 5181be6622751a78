#include "functions/CPopupItem.h"

#include <array>

#include "functions/FunctionCodes.h"
#include "model/ModelReads.h"
#include "protocol/StDriverPacket.h"

namespace {

using enum DataType;
constexpr BehaviourKind kLive = BehaviourKind::kLive;

constexpr std::array<StItemRow, 5> kEntryItems{{
    {kItemPopupKind, kCodeFunction, kLong, BehaviourKind::kApply, 0},
    {74, 189, kWordList, kLive, 0},
    {75, kCodeKeystroke, kWordList, kLive, 0},
    {76, kCodeApplicationPath, kText, kLive, 0},
    {77, 239, kWordList, kLive, 0},
}};

}  // namespace

CPopupItem::~CPopupItem() {
  if (m_position < 0) return;
  std::uint32_t kind = 0;
  if (ReadKind(kind) != kStatusOk || kind != kPopupKindDeleted) return;
  CDataKey remove = GetKey();
  remove.RemoveLastLevel().AppendLevel(kPathPopupItem, static_cast<std::uint32_t>(m_position));
  DropStatus(remove.Request(kCommandRemove, 0, nullptr), "nothing is left to tell of a failure");
}

Status CPopupItem::Place(const CDataKey& menuKey, std::int32_t position) {
  CDataKey key = menuKey;
  key.AppendLevel(kPathPopupEntry, static_cast<std::uint32_t>(position));
  KELVO_TRY(SetKey(key));
  m_position = position;
  return kStatusOk;
}

Status CPopupItem::ReadKind(std::uint32_t& kind) const {
  return ReadPath(GetKey(), {{0, kCodeFunction, 0}}, kind);
}

Status CPopupItem::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kEntryItems, itemId, item);
}

Status CPopupItem::ApplyItems() {
  for (const StItemRow& row : kEntryItems) KELVO_TRY(ApplyItem(row.itemId));
  return kStatusOk;
}

Status CPopupItem::DefaultItems() {
  for (const StItemRow& row : kEntryItems)
    DropStatus(DefaultItem(row.itemId), "the other items are reset all the same");
  return kStatusOk;
}
