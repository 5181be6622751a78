#include "model/CPuck.h"

#include <array>

#include "model/ModelCodes.h"

namespace {

constexpr std::array<StItemRow, 6> kPuckItems{{
    {85, 194, DataType::kWord, BehaviourKind::kLive, 0},
    {86, 120, DataType::kByte, BehaviourKind::kLive, 0},
    {87, 206, DataType::kWord, BehaviourKind::kLive, 0},
    {88, 122, DataType::kWord, BehaviourKind::kLive, 0},
    {89, 141, DataType::kWord, BehaviourKind::kLive, 0},
    {90, 201, DataType::kWord, BehaviourKind::kLive, 0},
}};

}  // namespace

CPuck::~CPuck() = default;

Status CPuck::GetItem(ItemId itemId, CDriverData*& item) {
  if (FindItemRow(kPuckItems, itemId) != nullptr) return GetTableItem(kPuckItems, itemId, item);
  return CTransducer::GetItem(itemId, item);
}

std::int32_t CPuck::GetSubGroupCount(std::int32_t kind) {
  if (kind == kSubGroupMain) return ReportedButtonCount();
  return CTransducer::GetSubGroupCount(kind);
}
