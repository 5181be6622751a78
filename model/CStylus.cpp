#include "model/CStylus.h"

#include "model/ModelCodes.h"

namespace {

constexpr StItemRow kStylusItems[] = {
    {81, 121, DataType::kWord, BehaviourKind::kLive, 0},
};

}  // namespace

CStylus::~CStylus() = default;

Status CStylus::GetItem(ItemId itemId, CDriverData*& item) {
  if (FindItemRow(kStylusItems, itemId) != nullptr) return GetTableItem(kStylusItems, itemId, item);
  return CTransducer::GetItem(itemId, item);
}

std::int32_t CStylus::GetSubGroupCount(std::int32_t kind) {
  if (kind == kSubGroupMain) return ReportedButtonCount();
  return CTransducer::GetSubGroupCount(kind);
}
