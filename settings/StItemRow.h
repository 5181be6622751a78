#pragma once

#include <cstdint>
#include <span>

#include "settings/BehaviourKind.h"
#include "settings/DataType.h"

// A grouping's own number for one of its values.
using ItemId = std::int32_t;

// Which item class a table row makes.
enum class ItemVariant : std::uint8_t {
  kPlain,   // CDriverData
  kForced,  // CForceDriverData: written even when unchanged
};

// One row of a grouping's item table: the item id the views use, and how the
// item is made (its key is the grouping's key plus the level (itemCode, index)).
struct StItemRow {
  ItemId itemId = 0;
  std::uint16_t itemCode = 0;
  DataType type = DataType::kWord;
  BehaviourKind kind = BehaviourKind::kLive;
  std::uint32_t index = 0;
  ItemVariant variant = ItemVariant::kPlain;
};

// The row for `itemId`, or none.
[[nodiscard]] constexpr const StItemRow* FindItemRow(std::span<const StItemRow> table, ItemId itemId) {
  for (const StItemRow& row : table) {
    if (row.itemId == itemId) return &row;
  }
  return nullptr;
}
