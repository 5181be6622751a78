#include "settings/CDataGrouping.h"

#include <new>

#include "settings/CForceDriverData.h"
#include "settings/MakeNoThrow.h"

namespace {

// Builds the item's key and initialises it; the half-built item is dropped on
// failure.
Status InitOnExtendedKey(std::unique_ptr<CDriverData>& item, const CDataKey& key,
                         std::uint16_t itemCode, BehaviourKind kind, std::uint32_t index) {
  if (!item) return kStatusOutOfMemory;
  CDataKey itemKey(key);
  itemKey.AppendLevel(itemCode, index);
  const Status status = item->Init(itemKey, kind);
  if (status != kStatusOk) item.reset();
  return status;
}

}  // namespace

// The cache map deletes every item; then the key goes.
CDataGrouping::~CDataGrouping() = default;

Status CDataGrouping::SetKey(const CDataKey& key) {
  if (&key != &m_key) m_key = key;
  return kStatusOk;
}

CDataGrouping* CDataGrouping::GetSubGroup(std::int32_t /*index*/, std::int32_t /*kind*/) {
  return nullptr;
}

std::int32_t CDataGrouping::GetSubGroupCount(std::int32_t /*kind*/) { return 0; }

Status CDataGrouping::RemoveSubGroup(std::int32_t /*index*/, std::int32_t /*kind*/) {
  return kStatusNotSupported;
}

Status CDataGrouping::Remove() { return kStatusNotSupported; }

CDriverData* CDataGrouping::FindItem(ItemId itemId) const {
  const auto found = m_items.find(itemId);
  return found == m_items.end() ? nullptr : found->second.get();
}

CDriverData* CDataGrouping::AddItem(ItemId itemId, std::unique_ptr<CDriverData> item) {
  CDriverData* raw = item.get();
  try {
    m_items.insert_or_assign(itemId, std::move(item));
  } catch (const std::bad_alloc&) {
    return nullptr;  // the item is deleted with the argument
  }
  return raw;
}

Status CDataGrouping::MakeItem(std::unique_ptr<CDriverData>& item, const CDataKey& key,
                               std::uint16_t itemCode, DataType type, BehaviourKind kind,
                               std::uint32_t index) {
  item = MakeNoThrow<CDriverData>(type);
  return InitOnExtendedKey(item, key, itemCode, kind, index);
}

Status CDataGrouping::MakeForcedItem(std::unique_ptr<CDriverData>& item, const CDataKey& key,
                                     std::uint16_t itemCode, DataType type, BehaviourKind kind,
                                     std::uint32_t index) {
  item = MakeNoThrow<CForceDriverData>(type);
  return InitOnExtendedKey(item, key, itemCode, kind, index);
}

Status CDataGrouping::ApplyItem(ItemId itemId) {
  if (CDriverData* item = FindItem(itemId); item != nullptr) {
    DropStatus(item->Apply(),
               "one failing item must not keep the others of the grouping unapplied");
  }
  return kStatusOk;
}

Status CDataGrouping::DefaultItem(ItemId itemId) {
  CDriverData* item = nullptr;
  KELVO_TRY(GetItem(itemId, item));
  if (item != nullptr)
    DropStatus(item->SetDefault(), "a reset answers 0; each item keeps its own status");
  return kStatusOk;
}

Status CDataGrouping::DefaultSubGroup(std::int32_t index, std::int32_t kind) {
  CDataGrouping* child = GetSubGroup(index, kind);
  if (child == nullptr) return kStatusNoChild;
  DropStatus(child->DefaultItems(),
             "the child's own items keep their statuses; finding the child is the answer");
  return kStatusOk;
}

Status CDataGrouping::ForceWriteItem(ItemId itemId) {
  CDriverData* item = nullptr;
  KELVO_TRY(GetItem(itemId, item));
  if (item != nullptr)
    DropStatus(item->ForceWrite(),
               "finding the item is the answer; the write's status stays with the item");
  return kStatusOk;
}

Status CDataGrouping::GetTableItem(std::span<const StItemRow> table, ItemId itemId,
                                   CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  const StItemRow* row = FindItemRow(table, itemId);
  if (row == nullptr) return kStatusNoItem;
  return MakeRowItem(*row, m_key, item);
}

Status CDataGrouping::MakeRowItem(const StItemRow& row, const CDataKey& key, CDriverData*& item) {
  item = nullptr;
  std::unique_ptr<CDriverData> made;
  const Status status =
      row.variant == ItemVariant::kForced
          ? MakeForcedItem(made, key, row.itemCode, row.type, row.kind, row.index)
          : MakeItem(made, key, row.itemCode, row.type, row.kind, row.index);
  if (status != kStatusOk) return status;
  if (!made) return kStatusNoItem;
  item = AddItem(row.itemId, std::move(made));
  return item == nullptr ? kStatusOutOfMemory : kStatusOk;
}
