#include "functions/CPressureButton.h"

#include <array>

#include "functions/FunctionCodes.h"
#include "model/ModelReads.h"
#include "settings/CPressureFeelData.h"
#include "settings/CPressureProfileData.h"
#include "settings/MakeNoThrow.h"
#include "settings/PressureFamilies.h"

namespace {

using enum DataType;
constexpr BehaviourKind kLive = BehaviourKind::kLive;

// On the button's own key.
constexpr std::array<StItemRow, 4> kOwnItems{{
    {kItemThreshold, 43, kWord, kLive, 0},
    {kItemCurve, 109, kPressureCurve, kLive, 0},
    {95, 42, kWord, kLive, 0},
    {100, 245, kLong, kLive, 0},
}};

// On the tool's key.
constexpr StItemRow kSerialItem{kItemPressureSerial, 38, kLong, kLive, 0};

// On the tablet's key: the pressure axis and fields of the tool records.
constexpr std::array<StItemRow, 4> kTabletItems{{
    {kItemPressureAxis, 93, kPressureAxis, kLive, 0},
    {kItemCurrentSerial, 190, kLong, kLive, 5},
    {kItemCurrentType, 190, kWord, kLive, 4},
    {163, 168, kWord, kLive, 9},
}};

constexpr std::array<ItemId, 6> kApplied{
    kItemCurve, 95, kItemPressureValue, kItemFeel, kItemThreshold, kItemCurvePosition};

}  // namespace

CPressureButton::~CPressureButton() = default;

CDataKey CPressureButton::ToolKey() const {
  CDataKey key = GetKey();
  key.RemoveLastLevel();
  return key;
}

CDataKey CPressureButton::TabletKey() const {
  CDataKey key = ToolKey();
  key.RemoveLastLevel();
  return key;
}

Status CPressureButton::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (const StItemRow* row = FindItemRow(kOwnItems, itemId))
    return MakeRowItem(*row, GetKey(), item);
  if (const StItemRow* row = FindItemRow(kTabletItems, itemId))
    return MakeRowItem(*row, TabletKey(), item);
  switch (itemId) {
    case kItemPressureSerial: return MakeRowItem(kSerialItem, ToolKey(), item);
    case kItemCurvePosition:
    case kItemClickPosition: return MakeFamilyItem(itemId, item);
    case kItemFeel: return MakeFeelItem(item);
    case kItemPressureProfile: return MakeProfileItem(item);
    case kItemPressureValue: return MakePressureValueItem(item);
    default: return CButton::GetItem(itemId, item);
  }
}

Status CPressureButton::ReadToolTypeCode(std::uint16_t& typeCode) const {
  return ReadPath(ToolKey(), {{0, kCodeToolType, 0}}, typeCode);
}

Status CPressureButton::MakeFamilyItem(ItemId itemId, CDriverData*& item) {
  item = nullptr;
  std::uint16_t typeCode = 0;
  KELVO_TRY(ReadToolTypeCode(typeCode));
  CDriverData* axis = nullptr;
  KELVO_TRY(GetItem(kItemPressureAxis, axis));
  std::unique_ptr<CDriverData> made;
  if (itemId == kItemCurvePosition) {
    CDriverData* curve = nullptr;
    KELVO_TRY(GetItem(kItemCurve, curve));
    std::unique_ptr<CPressureBezierData> curveItem =
        MakePressureBezierData(CurveFamilyFor(typeCode));
    if (!curveItem) return kStatusOutOfMemory;
    KELVO_TRY(curveItem->SetSources(curve, axis));
    made = std::move(curveItem);
  } else {
    CDriverData* threshold = nullptr;
    KELVO_TRY(GetItem(kItemThreshold, threshold));
    std::unique_ptr<CClickThresholdData> clickItem =
        MakeClickThresholdData(ClickFamilyFor(typeCode));
    if (!clickItem) return kStatusOutOfMemory;
    KELVO_TRY(clickItem->SetSources(threshold, axis));
    made = std::move(clickItem);
  }
  item = AddItem(itemId, std::move(made));
  return item == nullptr ? kStatusOutOfMemory : kStatusOk;
}

Status CPressureButton::MakeFeelItem(CDriverData*& item) {
  item = nullptr;
  CDriverData* click = nullptr;
  CDriverData* curve = nullptr;
  KELVO_TRY(GetItem(kItemClickPosition, click));
  KELVO_TRY(GetItem(kItemCurvePosition, curve));
  std::unique_ptr<CPressureFeelData> feel = MakeNoThrow<CPressureFeelData>();
  if (!feel) return kStatusOutOfMemory;
  KELVO_TRY(feel->SetSources(dynamic_cast<CClickThresholdData*>(click),
                             dynamic_cast<CPressureBezierData*>(curve)));
  item = AddItem(kItemFeel, std::move(feel));
  return item == nullptr ? kStatusOutOfMemory : kStatusOk;
}

Status CPressureButton::MakeProfileItem(CDriverData*& item) {
  item = nullptr;
  CDriverData* threshold = nullptr;
  CDriverData* curve = nullptr;
  KELVO_TRY(GetItem(kItemThreshold, threshold));
  KELVO_TRY(GetItem(kItemCurve, curve));
  std::unique_ptr<CPressureProfileData> profile = MakeNoThrow<CPressureProfileData>();
  if (!profile) return kStatusOutOfMemory;
  KELVO_TRY(profile->SetSources(threshold, curve));
  item = AddItem(kItemPressureProfile, std::move(profile));
  return item == nullptr ? kStatusOutOfMemory : kStatusOk;
}

// The driver keeps this value per tool type and serial, of the tool it last
// saw; the path is fixed by what it reports when the item is first asked for.
Status CPressureButton::MakePressureValueItem(CDriverData*& item) {
  item = nullptr;
  std::uint16_t typeCode = 0;
  std::uint32_t serial = 0;
  KELVO_TRY(ReadItem(*this, kItemCurrentType, typeCode));
  KELVO_TRY(ReadItem(*this, kItemCurrentSerial, serial));
  CDataKey key = TabletKey();
  const StObjectKey button = GetKey().LastLevel();
  key.AppendLevel(kPathTool, typeCode, kQualifierById)
      .AppendLevel(kPathTool, serial, kQualifierById)
      .AppendLevel(button.code, button.index, button.qualifier);
  const StItemRow row{kItemPressureValue, kCodePressureValue, kWord, kLive, 0};
  return MakeRowItem(row, key, item);
}

Status CPressureButton::ApplyItems() {
  for (const ItemId id : kApplied) KELVO_TRY(ApplyItem(id));
  return CButton::ApplyItems();
}

Status CPressureButton::DefaultItems() {
  DropStatus(DefaultItem(kItemFeel), "the button's function is reset all the same");
  return CButton::DefaultItems();
}
