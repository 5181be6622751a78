#include "model/ModelReads.h"

#include <algorithm>
#include <vector>

namespace {
// The grouping's item, read from the driver again when asked to.
Status ItemToRead(CDataGrouping& grouping, ItemId itemId, ReadMode mode, CDriverData*& item) {
  KELVO_TRY(grouping.GetItem(itemId, item));
  if (item == nullptr) return kStatusNoItem;
  if (mode == ReadMode::kFresh) {
    bool changed = false;
    // The grouping itself observes the values it walks by.
    KELVO_TRY(item->Refresh(changed, &grouping));
  }
  return kStatusOk;
}
}  // namespace

Status ReadItemBytes(CDataGrouping& grouping, ItemId itemId, void* out, std::size_t size,
                     ReadMode mode) {
  CDriverData* item = nullptr;
  KELVO_TRY(ItemToRead(grouping, itemId, mode, item));
  std::vector<std::byte> value(std::max<std::size_t>(item->GetSize(), 1));
  KELVO_TRY(item->Get(value.data()));
  std::memcpy(out, value.data(), std::min<std::size_t>(size, item->GetSize()));
  return kStatusOk;
}

Status ReadItemText(CDataGrouping& grouping, ItemId itemId, std::string& out, ReadMode mode) {
  CDriverData* item = nullptr;
  KELVO_TRY(ItemToRead(grouping, itemId, mode, item));
  std::vector<char> value(item->GetSize() + 1, '\0');
  KELVO_TRY(item->Get(value.data()));
  out.assign(value.data());
  return kStatusOk;
}

Status WriteItemBytes(CDataGrouping& grouping, ItemId itemId, const void* value, std::size_t size) {
  CDriverData* item = nullptr;
  KELVO_TRY(grouping.GetItem(itemId, item));
  if (item == nullptr) return kStatusNoItem;
  std::vector<std::byte> full(std::max<std::size_t>(item->GetSize(), 1));
  std::memcpy(full.data(), value, std::min<std::size_t>(size, item->GetSize()));
  return item->Set(full.data());
}
