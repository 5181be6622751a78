#include "functions/CTabletButtonsArea.h"

#include "functions/CTabletButton.h"
#include "functions/CTouchStrip.h"
#include "functions/FunctionCodes.h"
#include "model/ModelReads.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr StItemRow kButtonCount{186, kPathCount, DataType::kByte, BehaviourKind::kLive, 0};
// Values all areas of a tablet share, beside the areas.
constexpr StItemRow kSharedItems[] = {
    {200, 250, DataType::kWord, BehaviourKind::kLive, 0},
    {201, 249, DataType::kWord, BehaviourKind::kLive, 0},
};

constexpr std::uint32_t kLastButton = 7;
constexpr std::uint32_t kLastStrip = 9;

}  // namespace

CTabletButtonsArea::~CTabletButtonsArea() = default;

Status CTabletButtonsArea::SetKey(const CDataKey& key) {
  KELVO_TRY(CDataGrouping::SetKey(key));
  std::uint32_t applicationId = 0;
  return ReadPath(GetKey(), {{0, kCodeApplicationId, 0}}, applicationId);
}

Status CTabletButtonsArea::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (itemId == kButtonCount.itemId) return MakeRowItem(kButtonCount, GetKey(), item);
  const StItemRow* row = FindItemRow(kSharedItems, itemId);
  if (row == nullptr) return kStatusNoItem;
  CDataKey key = GetKey();
  key.RemoveLastLevel().AppendLevel(kPathFunctionArea, 0, kQualifierShared);
  return MakeRowItem(*row, key, item);
}

CDataGrouping* CTabletButtonsArea::GetSubGroup(std::int32_t index, std::int32_t /*kind*/) {
  if (index < 0 || static_cast<std::uint32_t>(index) > kLastStrip) return nullptr;
  const auto number = static_cast<std::uint32_t>(index);
  if (const auto found = m_children.find(number); found != m_children.end())
    return found->second.get();
  std::unique_ptr<CDataGrouping> child;
  if (number <= kLastButton)
    child = MakeNoThrow<CTabletButton>();
  else
    child = MakeNoThrow<CTouchStrip>();
  if (!child) return nullptr;
  CDataKey key = GetKey();
  key.AppendLevel(kPathButton, number);
  if (child->SetKey(key) != kStatusOk) return nullptr;
  CDataGrouping* made = child.get();
  m_children.emplace(number, std::move(child));
  return made;
}

Status CTabletButtonsArea::ApplyItems() {
  for (const auto& [number, child] : m_children)
    DropStatus(child->ApplyItems(), "each child on its own");
  return kStatusOk;
}

Status CTabletButtonsArea::DefaultItems() {
  for (const auto& [number, child] : m_children)
    DropStatus(child->DefaultItems(), "each child on its own");
  return kStatusOk;
}
