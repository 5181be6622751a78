#include "settings/mapping/CMapping.h"

#include <array>
#include <tuple>

#include "protocol/StDriverPacket.h"
#include "settings/MakeNoThrow.h"
#include "settings/mapping/CMappingDisplayAreaData.h"
#include "settings/mapping/CMappingProportionOnOff.h"
#include "settings/mapping/CMappingRectData.h"
#include "settings/mapping/CMappingTabletAreaData.h"
#include "settings/mapping/CMappingThumbData.h"

namespace {

// The values that follow the user's changes and reset with the tool.
constexpr std::array<ItemId, 15> kAppliedAndReset{
    kMapTrackingMode, kMapMouseSpeed,      kMapAcceleration,   kMapScreenOrigin,
    kMapScreenExtent, kMapDisplayAreaMode, kMapMonitor,        kMapTabletOrigin,
    kMapTabletExtent, kMapTabletAreaFlag,  kMapTabletAreaMode, kMapForceProportions,
    kMapCommonOrigin, kMapCommonExtent,    kMapCommonFlag};

// The tool's own values; the common ones belong to every tool.
constexpr std::array<ItemId, 12> kRewritten{
    kMapTrackingMode, kMapMouseSpeed,      kMapAcceleration,   kMapScreenOrigin,
    kMapScreenExtent, kMapDisplayAreaMode, kMapMonitor,        kMapTabletOrigin,
    kMapTabletExtent, kMapTabletAreaFlag,  kMapTabletAreaMode, kMapForceProportions};

const StMappingRow* FindMappingRow(ItemId itemId) {
  for (const StMappingRow& row : kMappingItems) {
    if (row.item.itemId == itemId) return &row;
  }
  return nullptr;
}

}  // namespace

CMapping::CMapping(std::uint32_t context1, std::uint32_t context2, std::uint16_t context3)
    : m_context1(context1), m_context2(context2), m_context3(context3) {}

CMapping::~CMapping() = default;

Status CMapping::SetKey(const CDataKey& toolKey) {
  CDataKey key = toolKey;
  CDataKey typeKey = key;
  typeKey.AppendLevel(kCodeMappingToolType);
  std::uint16_t typeCode = 0;
  KELVO_TRY(typeKey.Request(kCommandGet, sizeof(typeCode), &typeCode));
  key.RemoveLastLevel();
  return CDataGrouping::SetKey(key);
}

CDataKey CMapping::ChainKey(MappingChain chain, std::uint32_t part) const {
  CDataKey key = GetKey();
  if (chain == MappingChain::kNone) return key;
  key.AppendLevel(kLevelMapping);
  switch (chain) {
    case MappingChain::kNone:
    case MappingChain::kTop: break;
    case MappingChain::kDisplay:
    case MappingChain::kTabletArea:
    case MappingChain::kContext:
      key.AppendLevel(kLevelContextSet, m_context1, kQualifierByValue)
          .AppendLevel(kLevelContextGroup)
          .AppendLevel(kLevelContextSet)
          .AppendLevel(kLevelContextTool, m_context2, kQualifierByValue)
          .AppendLevel(kLevelContextTool, m_context3);
      if (chain == MappingChain::kDisplay) key.AppendLevel(kLevelDisplay, part);
      if (chain == MappingChain::kTabletArea) key.AppendLevel(kLevelTabletArea, part);
      break;
    case MappingChain::kCommonDisplay:
    case MappingChain::kCommonTablet:
      key.AppendLevel(kLevelContextSet, 0, kQualifierCommon)
          .AppendLevel(kLevelContextTool, 0, kQualifierCommon)
          .AppendLevel(chain == MappingChain::kCommonDisplay ? kLevelDisplay : kLevelTabletArea,
                       kCommonPart);
      break;
  }
  return key;
}

Status CMapping::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (const StMappingRow* row = FindMappingRow(itemId); row != nullptr)
    return MakeRowItem(row->item, ChainKey(row->chain, row->part), item);
  return MakeComposite(itemId, item);
}

template <typename T, typename... Ids>
Status CMapping::MakeCompositeOf(ItemId itemId, CDriverData*& item, Ids... sourceIds) {
  std::array<CDriverData*, sizeof...(Ids)> sources{};
  std::size_t next = 0;
  for (const ItemId id : {sourceIds...}) KELVO_TRY(GetItem(id, sources[next++]));
  std::unique_ptr<T> made = MakeNoThrow<T>();
  if (!made) return kStatusOutOfMemory;
  KELVO_TRY(std::apply([&made](auto*... source) { return made->SetSources(source...); }, sources));
  item = AddItem(itemId, std::move(made));
  return item == nullptr ? kStatusOutOfMemory : kStatusOk;
}

Status CMapping::MakeComposite(ItemId itemId, CDriverData*& item) {
  switch (itemId) {
    case kMapScreenRect:
      return MakeCompositeOf<CMappingRectData>(itemId, item, kMapScreenOrigin, kMapScreenExtent);
    case kMapDisplayArea:
      return MakeCompositeOf<CMappingDisplayAreaData>(itemId, item, kMapDisplayAreaMode,
                                                      kMapMonitor);
    case kMapTabletRect:
      return MakeCompositeOf<CMappingRectData>(itemId, item, kMapTabletOrigin, kMapTabletExtent);
    case kMapTabletArea:
      return MakeCompositeOf<CMappingTabletAreaData>(itemId, item, kMapTabletAreaFlag,
                                                     kMapTabletAreaMode);
    case kMapProportionOnOff:
      return MakeCompositeOf<CMappingProportionOnOff>(itemId, item, kMapForceProportions);
    case kMapPreview:
      return MakeCompositeOf<CMappingThumbData>(itemId, item, kMapScreenRectReported,
                                                kMapTabletRectReported, kMapPreviewSecond,
                                                kMapPreviewFirst, kMapTabletArea);
    default: return kStatusNoItem;
  }
}

Status CMapping::ApplyItems() {
  for (const ItemId id : kAppliedAndReset) KELVO_TRY(ApplyItem(id));
  return kStatusOk;
}

Status CMapping::DefaultItems() {
  for (const ItemId id : kAppliedAndReset)
    DropStatus(DefaultItem(id), "one value without a default must not keep the others");
  return kStatusOk;
}

Status CMapping::ForceWriteAll() {
  for (const ItemId id : kRewritten)
    DropStatus(ForceWriteItem(id), "every value is written that can be");
  return kStatusOk;
}

Status CMapping::RemoveFromDriver() {
  CDataKey key = GetKey();
  key.RemoveLastLevel();
  key.AppendLevel(kLevelMapping)
      .AppendLevel(kLevelContextSet, m_context1, kQualifierByValue)
      .AppendLevel(kLevelRemoveGroup)
      .AppendLevel(kLevelContextSet)
      .AppendLevel(kLevelRemoveTool, m_context2, kQualifierByValue)
      .AppendLevel(kLevelRemoveTool, m_context3);
  return key.Request(kCommandRemove, 0, nullptr);
}
