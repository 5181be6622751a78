#include "functions/CMetaFunctions.h"

#include <array>
#include <cstring>

#include "functions/CFunctionsObject.h"
#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr BehaviourKind kNoDriver = BehaviourKind::kNoDriver;

// Values the views keep here; none reaches the driver.
constexpr std::array<StItemRow, 3> kUiItems{{
    {kItemUiNumber, kCodeNoDriverValue, DataType::kWord, kNoDriver, 0},
    {kItemUiText, kCodeNoDriverValue, DataType::kText, kNoDriver, 0},
    {kItemUiLong, kCodeNoDriverValue, DataType::kLong, kNoDriver, 0},
}};
constexpr std::uint32_t kUiNumber = 57;
constexpr char kUiText[] = "\\~57:0";

void ClearFromBack(std::vector<std::unique_ptr<CFunctionsObject>>& sets) {
  while (!sets.empty()) sets.pop_back();
}

}  // namespace

CMetaFunctions::CMetaFunctions(CModelContext& context) : m_context(context) {
  m_sets.reserve(1);
}

CMetaFunctions::~CMetaFunctions() {
  ClearFromBack(m_sets);
}

Status CMetaFunctions::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  KELVO_TRY(GetTableItem(kUiItems, itemId, item));
  std::array<char, 256> initial{};
  if (itemId == kItemUiText) {
    std::memcpy(initial.data(), kUiText, sizeof kUiText);
  } else if (itemId == kItemUiLong) {
    std::memcpy(initial.data(), &kUiNumber, sizeof kUiNumber);
  }
  return item->Set(initial.data());
}

Status CMetaFunctions::Reload() {
  std::uint16_t count = 0;
  KELVO_TRY(ReadPath(
      GetKey(), {{kQualifierCount, kPathCount, kFunctionSetCountIndex}, {0, kPathFunctionSet, 0}},
      count));
  if (count == m_sets.size()) return kStatusOk;
  ClearFromBack(m_sets);
  for (std::uint32_t position = 0; position < count; ++position) {
    std::uint32_t applicationId = 0;
    KELVO_TRY(ReadPath(GetKey(), {{0, kPathFunctionSet, position}, {0, kCodeApplicationId, 0}},
                       applicationId));
    std::unique_ptr<CFunctionsObject> set = MakeNoThrow<CFunctionsObject>(m_context);
    if (!set) return kStatusOutOfMemory;
    KELVO_TRY(set->SetKey(GetKey()));
    set->SetApplicationId(applicationId);
    m_sets.push_back(std::move(set));
  }
  return kStatusOk;
}

std::int32_t CMetaFunctions::GetSubGroupCount(std::int32_t kind) {
  if (kind != kSubGroupMain) return 0;
  DropStatus(Reload(), "the sets read so far are counted");
  return static_cast<std::int32_t>(m_sets.size());
}

CDataGrouping* CMetaFunctions::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind != kSubGroupMain || index < 0 || index >= GetSubGroupCount(kSubGroupMain))
    return nullptr;
  return m_sets[static_cast<std::size_t>(index)].get();
}

Status CMetaFunctions::ApplyItems() {
  for (const auto& set : m_sets) DropStatus(set->ApplyItems(), "each set on its own");
  return kStatusOk;
}

Status CMetaFunctions::DefaultItems() {
  for (const auto& set : m_sets) {
    if (set->DefaultItems() != kStatusOk) break;
  }
  return kStatusOk;
}

Status CMetaFunctions::RemoveSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind != kSubGroupMain || index == 0) return kStatusNoItem;
  CDataGrouping* set = GetSubGroup(index, kSubGroupMain);
  if (set == nullptr) return kStatusNoItem;
  KELVO_TRY(set->Remove());
  m_sets.erase(m_sets.begin() + index);
  return Reload();
}
