#include "model/CMetaTransducer.h"

#include <array>

#include "model/CModelContext.h"
#include "model/CModelFactory.h"
#include "model/CPuck.h"
#include "model/CStylus.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr std::array<StItemRow, 5> kGroupItems{{
    {12, 27, DataType::kWord, BehaviourKind::kNoDriver, 0},  // selected tool within the group
    {45, 188, DataType::kText, BehaviourKind::kLive, 0},     // tool name
    {46, 115, DataType::kWord, BehaviourKind::kLive, 0},     // tool type code
    {48, 38, DataType::kLong, BehaviourKind::kLive, 0},      // serial number
    {49, 37, DataType::kWord, BehaviourKind::kLive, 0},
}};

// Destroys the tools last first, as they were added.
void ClearFromBack(std::vector<std::unique_ptr<CTransducer>>& list) {
  while (!list.empty()) list.pop_back();
}

}  // namespace

CMetaTransducer::CMetaTransducer(CModelContext& context) : m_context(context) {
  m_transducers.reserve(1);
}

CMetaTransducer::~CMetaTransducer() { ClearFromBack(m_transducers); }

Status CMetaTransducer::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (itemId == kItemToolNameShown) {
    std::array<CDriverData*, 2> sources{};
    KELVO_TRY(GetItem(kItemToolName, sources[0]));
    KELVO_TRY(GetItem(kItemToolTypeCode, sources[1]));
    std::unique_ptr<CDriverData> made;
    KELVO_TRY(m_context.GetModelFactory().MakeComposite(CompositeClass::kCorrelatedToolName,
                                                        sources, made));
    if (!made) return kStatusNoItem;
    item = AddItem(itemId, std::move(made));
    return kStatusOk;
  }
  KELVO_TRY(GetTableItem(kGroupItems, itemId, item));
  if (itemId == kItemSelected) {
    const std::uint16_t first = 0;
    KELVO_TRY(item->Set(&first));
  }
  return kStatusOk;
}

CDataGrouping* CMetaTransducer::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind != kSubGroupMain || index < 0 || index >= GetSubGroupCount(kSubGroupMain))
    return nullptr;
  return m_transducers[static_cast<std::size_t>(index)].get();
}

std::int32_t CMetaTransducer::GetSubGroupCount(std::int32_t kind) {
  if (kind != kSubGroupMain) return 0;
  Refresh();
  return static_cast<std::int32_t>(m_transducers.size());
}

void CMetaTransducer::Refresh() {
  for (std::size_t i = 0; i < m_transducers.size();) {
    std::uint8_t present = 1;
    if (ReadItem(*m_transducers[i], kItemToolPresent, present, ReadMode::kFresh) != kStatusOk ||
        present != 0) {
      ++i;
      continue;
    }
    m_context.NotifyRemoving(*m_transducers[i]);
    std::unique_ptr<CTransducer> gone = std::move(m_transducers[i]);
    m_transducers.erase(m_transducers.begin() + static_cast<std::ptrdiff_t>(i));
    ++m_transducersRemoved;
    gone->DiscardMappings();
    gone.reset();
    // The driver may have moved the group's mapping onto the first tool's
    // numbers; write it there again so nothing the user set is lost.
    if (!m_transducers.empty()) m_transducers.front()->ForceWriteMappings();
  }
}

Status CMetaTransducer::ApplyItems() { return ApplyItem(kItemToolName); }

Status CMetaTransducer::DefaultItems() {
  DropStatus(DefaultItem(kItemToolName), "a reset answers 0; each item keeps its own status");
  return kStatusOk;
}

Status CMetaTransducer::RemoveSubGroup(std::int32_t index, std::int32_t kind) {
  // The first tool of a group is never removed alone.
  if (kind != kSubGroupMain || index < 1) return kStatusNoItem;
  const auto position = static_cast<std::size_t>(index);
  if (position >= m_transducers.size()) return kStatusNoItem;
  const std::uint8_t gone = 0;
  DropStatus(WriteItem(*m_transducers[position], kItemToolPresent, gone),
             "removal answers 0; a flag the driver refused shows at the next refresh");
  return kStatusOk;
}

Status CMetaTransducer::Remove() {
  const std::uint8_t gone = 0;
  for (const auto& transducer : m_transducers)
    DropStatus(WriteItem(*transducer, kItemToolPresent, gone),
               "removal answers 0; a flag the driver refused shows at the next refresh");
  return kStatusOk;
}

Status CMetaTransducer::AddTool(std::uint32_t toolNumber) {
  CDataKey tabletKey = GetKey();
  tabletKey.RemoveLastLevel();
  std::uint16_t typeCode = 0;
  KELVO_TRY(ReadPath(tabletKey, {{0, kCodeTool, toolNumber}, {0, kCodeToolTypeCode, 0}}, typeCode));
  std::unique_ptr<CTransducer> transducer;
  switch (ToolClassForTypeCode(typeCode)) {
    case ToolClass::kStylus:
      transducer = MakeNoThrow<CStylus>(m_context);
      break;
    case ToolClass::kPuck:
      transducer = MakeNoThrow<CPuck>(m_context);
      break;
    case ToolClass::kNone:
      return kStatusOutOfMemory;
  }
  if (!transducer) return kStatusOutOfMemory;
  CDataKey toolKey = tabletKey;
  toolKey.AppendLevel(kCodeTool, toolNumber);
  KELVO_TRY(transducer->SetKey(toolKey));
  m_transducers.push_back(std::move(transducer));
  return kStatusOk;
}
