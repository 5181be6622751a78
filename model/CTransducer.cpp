#include "model/CTransducer.h"

#include <array>

#include "model/CAppObject.h"
#include "model/CModelContext.h"
#include "model/CModelFactory.h"
#include "model/ModelCodes.h"
#include "model/ModelReads.h"

namespace {

constexpr std::array<StItemRow, 14> kTransducerItems{{
    {45, 188, DataType::kText, BehaviourKind::kLive, 0},  // tool name
    {46, 115, DataType::kWord, BehaviourKind::kLive, 0},  // tool type code
    {48, 38, DataType::kLong, BehaviourKind::kLive, 0},   // serial number
    {49, 37, DataType::kWord, BehaviourKind::kLive, 0},
    {50, 116, DataType::kLong, BehaviourKind::kLive, 0},  // application identifier
    {51, 255, DataType::kLong, BehaviourKind::kLive, 0},
    {52, 113, DataType::kLong, BehaviourKind::kLive, 0},
    {53, 170, DataType::kByte, BehaviourKind::kLive, 0},
    {54, 52, DataType::kWord, BehaviourKind::kLive, 0},
    {55, 172, DataType::kByte, BehaviourKind::kLive, 0},  // present flag
    {56, 178, DataType::kWord, BehaviourKind::kLive, 0},
    {57, 179, DataType::kByte, BehaviourKind::kLive, 0},
    {58, 71, DataType::kByte, BehaviourKind::kLive, 0},   // number of buttons
    {59, 205, DataType::kWord, BehaviourKind::kLive, 0},
}};

constexpr StItemRow kTabletModelCode{kItemModelCode, 124, DataType::kWord, BehaviourKind::kLive, 0};

constexpr std::array<ItemId, 7> kApplied{51, 52, 53, 84, 45, 56, 57};
constexpr std::array<ItemId, 5> kReset{51, 52, 53, 56, 57};

}  // namespace

CTransducer::CTransducer(CModelContext& context) : m_context(context) { m_mappings.reserve(1); }

CTransducer::~CTransducer() = default;

Status CTransducer::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (itemId == kItemModelCode) {
    // The tablet's model code, on the tablet's own key.
    CDataKey tabletKey = GetKey();
    tabletKey.RemoveLastLevel();
    return MakeRowItem(kTabletModelCode, tabletKey, item);
  }
  if (itemId >= 41 && itemId <= 44) return GetApplicationItem(itemId, item);
  if (itemId == kItemToolNameShown || itemId == kItemHasEraser || itemId == kItemDoubleClickFeel)
    return MakeComposite(itemId, item);
  return GetTableItem(kTransducerItems, itemId, item);
}

Status CTransducer::GetApplicationItem(ItemId itemId, CDriverData*& item) {
  item = nullptr;
  std::uint32_t applicationId = 0;
  KELVO_TRY(ReadItem(*this, kItemToolApplication, applicationId));
  CAppObject* application = m_context.FindApplicationById(applicationId);
  if (application == nullptr) return kStatusOutOfMemory;
  // The application keeps the item; the tool only lends it out.
  return application->GetItem(itemId, item);
}

Status CTransducer::MakeComposite(ItemId itemId, CDriverData*& item) {
  item = nullptr;
  CompositeClass kind = CompositeClass::kCorrelatedToolName;
  std::array<ItemId, 3> sourceIds{};
  std::size_t sourceCount = 0;
  if (itemId == kItemToolNameShown) {
    sourceIds = {kItemToolName, kItemToolTypeCode, 0};
    sourceCount = 2;
  } else if (itemId == kItemHasEraser) {
    kind = CompositeClass::kPenHasEraser;
    sourceIds = {59, 0, 0};
    sourceCount = 1;
  } else {
    std::uint16_t typeCode = 0;
    KELVO_TRY(ReadItem(*this, kItemToolTypeCode, typeCode));
    kind = typeCode == kTypeCodeOwnDoubleClick ? CompositeClass::kOwnDoubleClickFeel
                                               : CompositeClass::kDoubleClickFeel;
    sourceIds = {51, 52, 53};  // value A, value B, switch
    sourceCount = 3;
  }
  std::array<CDriverData*, 3> sources{};
  for (std::size_t i = 0; i < sourceCount; ++i) KELVO_TRY(GetItem(sourceIds[i], sources[i]));
  std::unique_ptr<CDriverData> made;
  KELVO_TRY(m_context.GetModelFactory().MakeComposite(
      kind, std::span<CDriverData* const>(sources.data(), sourceCount), made));
  if (!made) return kStatusNoItem;
  item = AddItem(itemId, std::move(made));
  return kStatusOk;
}

CDataGrouping* CTransducer::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind == kSubGroupMain) return GetButton(index);
  if (kind != kSubGroupMapping || index < 0) return nullptr;
  const auto position = static_cast<std::size_t>(index);
  if (position < m_mappings.size()) return m_mappings[position].get();
  if (position == m_mappings.size()) return AddMapping();
  return nullptr;
}

CDataGrouping* CTransducer::GetButton(std::int32_t number) {
  if (number < 0) return nullptr;
  if (const auto found = m_buttons.find(number); found != m_buttons.end())
    return found->second.get();
  std::unique_ptr<CDataGrouping> button;
  const ButtonClass kind = ButtonClassFor(GetToolClass(), static_cast<std::uint32_t>(number));
  if (kind != ButtonClass::kNone) button = m_context.GetModelFactory().MakeButton(kind);
  if (button) {
    CDataKey key = GetKey();
    key.AppendLevel(kCodeButton, static_cast<std::uint32_t>(number));
    if (button->SetKey(key) != kStatusOk) button.reset();
  }
  // A number that could not be made stays none, so it is not tried again.
  CDataGrouping* result = button.get();
  m_buttons.emplace(number, std::move(button));
  return result;
}

CDataGrouping* CTransducer::AddMapping() {
  std::uint32_t context1 = 0;
  std::uint32_t context2 = 0;
  std::uint16_t context3 = 0;
  if (ReadItem(*this, kItemToolApplication, context1) != kStatusOk) return nullptr;
  if (ReadItem(*this, kItemToolSerial, context2) != kStatusOk) return nullptr;
  if (ReadItem(*this, kItemToolContext, context3) != kStatusOk) return nullptr;
  std::unique_ptr<CDataGrouping> mapping =
      m_context.GetModelFactory().MakeMapping(context1, context2, context3);
  if (!mapping || mapping->SetKey(GetKey()) != kStatusOk) return nullptr;
  m_mappings.push_back(std::move(mapping));
  return m_mappings.back().get();
}

std::int32_t CTransducer::GetSubGroupCount(std::int32_t kind) {
  if (kind == kSubGroupMain) return static_cast<std::int32_t>(m_buttons.size());
  if (kind == kSubGroupMapping) return static_cast<std::int32_t>(m_mappings.size());
  return 0;
}

std::int32_t CTransducer::ReportedButtonCount() {
  std::uint8_t count = 0;
  if (const Status status = ReadItem(*this, kItemButtonCount, count); status != kStatusOk)
    return status;
  return count;
}

Status CTransducer::ApplyItems() {
  for (const ItemId id : kApplied) KELVO_TRY(ApplyItem(id));
  for (const auto& mapping : m_mappings)
    DropStatus(mapping->ApplyItems(),
               "one failing item or child must not keep the others unapplied");
  for (const auto& [number, button] : m_buttons) {
    if (button)
      DropStatus(button->ApplyItems(),
                 "one failing item or child must not keep the others unapplied");
  }
  return kStatusOk;
}

Status CTransducer::DefaultItems() {
  for (const ItemId id : kReset)
    DropStatus(DefaultItem(id), "a reset answers 0; each item keeps its own status");
  if (m_mappings.empty()) (void)GetSubGroup(0, kSubGroupMapping);
  for (const auto& mapping : m_mappings)
    DropStatus(mapping->DefaultItems(), "a reset answers 0; each item keeps its own status");
  for (const auto& [number, button] : m_buttons) {
    if (button)
      DropStatus(button->DefaultItems(), "a reset answers 0; each item keeps its own status");
  }
  return kStatusOk;
}

void CTransducer::DiscardMappings() {
  while (!m_mappings.empty()) {
    DropStatus(m_context.GetModelFactory().RemoveMapping(*m_mappings.back()),
               "the mapping goes from the model whatever the driver answers");
    m_mappings.pop_back();
  }
}

void CTransducer::ForceWriteMappings() {
  for (const auto& mapping : m_mappings) {
    DropStatus(m_context.GetModelFactory().RewriteMapping(*mapping),
               "every mapping is written that can be");
  }
}
