#include "functions/CTabletMenu.h"

#include "functions/FunctionCodes.h"
#include "model/ModelReads.h"

namespace {

constexpr StItemRow kMenuItems[] = {
    {kItemTabletMenuFunction, kCodeFunction, DataType::kLong, BehaviourKind::kLive, 0},
};

}  // namespace

CTabletMenu::~CTabletMenu() = default;

Status CTabletMenu::SetKey(const CDataKey& key) {
  KELVO_TRY(CDataGrouping::SetKey(key));
  std::uint32_t applicationId = 0;
  return ReadPath(GetKey(), {{0, kCodeApplicationId, 0}}, applicationId);
}

Status CTabletMenu::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kMenuItems, itemId, item);
}

Status CTabletMenu::ApplyItems() {
  return ApplyItem(kItemTabletMenuFunction);
}

Status CTabletMenu::DefaultItems() {
  return DefaultItem(kItemTabletMenuFunction);
}
