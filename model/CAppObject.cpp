#include "model/CAppObject.h"

#include <array>

namespace {

constexpr std::array<StItemRow, 4> kAppItems{{
    {41, 116, DataType::kLong, BehaviourKind::kLive, 0},  // identifier
    {42, 117, DataType::kText, BehaviourKind::kLive, 0},
    {43, 118, DataType::kText, BehaviourKind::kLive, 0},  // program name
    {44, 119, DataType::kLong, BehaviourKind::kLive, 0},
}};

}  // namespace

CAppObject::~CAppObject() = default;

Status CAppObject::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kAppItems, itemId, item);
}

Status CAppObject::ApplyItems() {
  for (const StItemRow& row : kAppItems) KELVO_TRY(ApplyItem(row.itemId));
  return kStatusOk;
}

Status CAppObject::DefaultItems() {
  Status first = kStatusOk;
  for (const StItemRow& row : kAppItems) {
    const Status status = DefaultItem(row.itemId);
    if (first == kStatusOk) first = status;
  }
  return first;
}
