#include "functions/CPopupRoot.h"

#include <array>

#include "functions/CPopupItem.h"
#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "protocol/StDriverPacket.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr std::array<StItemRow, 2> kMenuItems{{
    {79, 231, DataType::kText, BehaviourKind::kLive, 0},
    {80, 230, DataType::kWord, BehaviourKind::kLive, 0},
}};

}  // namespace

CPopupRoot::CPopupRoot() = default;

CPopupRoot::~CPopupRoot() = default;

Status CPopupRoot::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kMenuItems, itemId, item);
}

Status CPopupRoot::UpdateEntries(std::uint16_t& count) {
  KELVO_TRY(ReadPath(GetKey(), {{0, kPathPopupCount, 0}}, count));
  // Entries another client removed leave from the back.
  while (m_entries.size() > count) m_entries.pop_back();
  while (m_entries.size() < count) {
    std::unique_ptr<CPopupItem> entry = MakeNoThrow<CPopupItem>();
    if (!entry) return kStatusOutOfMemory;
    KELVO_TRY(entry->Place(GetKey(), static_cast<std::int32_t>(m_entries.size())));
    m_entries.push_back(std::move(entry));
  }
  return kStatusOk;
}

CDataGrouping* CPopupRoot::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind != kSubGroupMain) return nullptr;
  std::uint16_t count = 0;
  if (ReadPath(GetKey(), {{0, kPathPopupCount, 0}}, count) != kStatusOk) return nullptr;
  if (index < 0 || count == 0) {
    DropStatus(UpdateEntries(count), "the caller asked for no entry");
    return nullptr;
  }
  if (static_cast<std::uint32_t>(index) == count) {
    CDataKey create = GetKey();
    create.AppendLevel(kPathPopupItem, 0);
    if (create.Request(kCommandCreate, 0, nullptr) != kStatusOk) return nullptr;
  }
  if (UpdateEntries(count) != kStatusOk) return nullptr;
  const auto position = static_cast<std::size_t>(index);
  return position < m_entries.size() ? m_entries[position].get() : nullptr;
}

std::int32_t CPopupRoot::GetSubGroupCount(std::int32_t kind) {
  if (kind != kSubGroupMain) return 0;
  std::uint16_t count = 0;
  DropStatus(UpdateEntries(count), "the entries known so far are counted");
  while (!m_entries.empty()) {
    std::uint32_t entryKind = 0;
    if (m_entries.back()->ReadKind(entryKind) != kStatusOk || entryKind != kPopupKindDeleted) break;
    m_entries.pop_back();
  }
  return static_cast<std::int32_t>(m_entries.size());
}

Status CPopupRoot::ApplyItems() {
  for (const StItemRow& row : kMenuItems) KELVO_TRY(ApplyItem(row.itemId));
  for (const auto& entry : m_entries) DropStatus(entry->ApplyItems(), "each entry on its own");
  return kStatusOk;
}

Status CPopupRoot::DefaultItems() {
  for (const StItemRow& row : kMenuItems)
    DropStatus(DefaultItem(row.itemId), "the entries are reset all the same");
  CDataKey reset = GetKey();
  reset.AppendLevel(kPathPopupReset, 0);
  return reset.Request(kCommandSet, 0, nullptr);
}
