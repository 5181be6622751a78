#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>

#include "driver/CDataKey.h"
#include "protocol/Status.h"
#include "settings/BehaviourKind.h"
#include "settings/CDriverData.h"
#include "settings/DataType.h"
#include "settings/StItemRow.h"

// An object of the model that has a place in the driver (tablet, tool, button,
// mapping ...). It makes its items on first demand from an item id, caches
// them and deletes them with itself; child groupings are reached by index and
// kind.
class CDataGrouping {
 public:
  CDataGrouping() = default;
  virtual ~CDataGrouping();
  CDataGrouping(const CDataGrouping&) = delete;
  CDataGrouping& operator=(const CDataGrouping&) = delete;

  // Takes the path of `key` (unless it is the grouping's own key).
  [[nodiscard]] virtual Status SetKey(const CDataKey& key);
  // The cached item for the id, made and cached on first demand; 0x600 for an
  // id the grouping does not know. The grouping keeps ownership.
  [[nodiscard]] virtual Status GetItem(ItemId itemId, CDriverData*& item) = 0;
  // Child grouping of a kind by index, or none.
  [[nodiscard]] virtual CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind);
  [[nodiscard]] virtual std::int32_t GetSubGroupCount(std::int32_t kind);
  // Apply on the grouping's applicable items.
  [[nodiscard]] virtual Status ApplyItems() = 0;
  // SetDefault on the grouping's resettable items.
  [[nodiscard]] virtual Status DefaultItems() = 0;
  [[nodiscard]] virtual Status RemoveSubGroup(std::int32_t index, std::int32_t kind);
  // Removes this grouping from the driver.
  [[nodiscard]] virtual Status Remove();

  [[nodiscard]] const CDataKey& GetKey() const { return m_key; }
  [[nodiscard]] std::size_t GetCachedItemCount() const { return m_items.size(); }

  // The cached item or none; never makes one.
  [[nodiscard]] CDriverData* FindItem(ItemId itemId) const;
  // The cache takes ownership. An item already cached under the id is
  // replaced (and deleted). Answers the item.
  CDriverData* AddItem(ItemId itemId, std::unique_ptr<CDriverData> item);

  // Makes a CDriverData of `type` on `key` plus the level (itemCode, index)
  // and initialises it with `kind`. On failure `item` is none.
  [[nodiscard]] static Status MakeItem(std::unique_ptr<CDriverData>& item, const CDataKey& key,
                                       std::uint16_t itemCode, DataType type, BehaviourKind kind,
                                       std::uint32_t index);
  // The same with a CForceDriverData.
  [[nodiscard]] static Status MakeForcedItem(std::unique_ptr<CDriverData>& item, const CDataKey& key,
                                             std::uint16_t itemCode, DataType type,
                                             BehaviourKind kind, std::uint32_t index);

  // Apply on the item if it was ever made; always 0.
  [[nodiscard]] Status ApplyItem(ItemId itemId);
  // SetDefault on the item (made if needed); a failing GetItem is answered.
  [[nodiscard]] Status DefaultItem(ItemId itemId);
  // DefaultItems on the child; 0x606 when there is none.
  [[nodiscard]] Status DefaultSubGroup(std::int32_t index, std::int32_t kind);
  // ForceWrite on the item (made if needed); a failing GetItem is answered.
  [[nodiscard]] Status ForceWriteItem(ItemId itemId);

 protected:
  // The usual GetItem over a constant table: the cached item, else the row's
  // item made on this grouping's key and cached; 0x600 for an id not in the
  // table.
  [[nodiscard]] Status GetTableItem(std::span<const StItemRow> table, ItemId itemId,
                                    CDriverData*& item);
  // Makes the row's item on `key` (plain or forced as the row says) and
  // caches it under the row's id.
  [[nodiscard]] Status MakeRowItem(const StItemRow& row, const CDataKey& key, CDriverData*& item);

  [[nodiscard]] CDataKey& Key() { return m_key; }

 private:
  CDataKey m_key;
  std::map<ItemId, std::unique_ptr<CDriverData>> m_items;
};
