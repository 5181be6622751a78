#include "functions/CFunctionsObject.h"

#include <array>

#include "functions/CPopupRoot.h"
#include "functions/CTabletButtonsArea.h"
#include "functions/CTabletMenu.h"
#include "functions/FunctionCodes.h"
#include "model/CAppObject.h"
#include "model/CModelContext.h"
#include "model/ModelCodes.h"
#include "protocol/StDriverPacket.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr std::array<StItemRow, 2> kSetItems{{
    {18, 124, DataType::kWord, BehaviourKind::kLive, 0},  // the tablet's model code
    {38, 254, DataType::kByte, BehaviourKind::kLive, 0},
}};
// Battery values, under the battery's path.
constexpr std::array<StItemRow, 2> kBatteryItems{{
    {35, 52, DataType::kLong, BehaviourKind::kLive, 0},
    {172, 256, DataType::kLong, BehaviourKind::kLive, 0},
}};

enum ChildIndex : std::int32_t { kTabletMenuChild = 0, kPopupChild = 1, kButtonsAreaChild = 2 };

}  // namespace

CFunctionsObject::CFunctionsObject(CModelContext& context) : m_context(context) {}

CFunctionsObject::~CFunctionsObject() = default;

Status CFunctionsObject::GetItem(ItemId itemId, CDriverData*& item) {
  item = FindItem(itemId);
  if (item != nullptr) return kStatusOk;
  if (itemId >= kItemApplicationId && itemId <= 44) {
    CAppObject* application = m_context.FindApplicationById(m_applicationId);
    if (application == nullptr) return kStatusOutOfMemory;
    // The application keeps the item; the set only lends it out.
    return application->GetItem(itemId, item);
  }
  if (const StItemRow* row = FindItemRow(kBatteryItems, itemId)) {
    CDataKey key = GetKey();
    key.AppendLevel(kPathBattery, 0);
    return MakeRowItem(*row, key, item);
  }
  return GetTableItem(kSetItems, itemId, item);
}

CDataKey CFunctionsObject::ChildKey(std::uint16_t code) const {
  CDataKey key = GetKey();
  key.AppendLevel(code, m_applicationId, kQualifierById);
  return key;
}

template <typename T>
T* CFunctionsObject::MakeChild(std::unique_ptr<T>& slot, std::uint16_t code) {
  if (slot) return slot.get();
  std::unique_ptr<T> child = MakeNoThrow<T>();
  // One the driver does not answer for is dropped; the next call tries again.
  if (!child || child->SetKey(ChildKey(code)) != kStatusOk) return nullptr;
  slot = std::move(child);
  return slot.get();
}

CDataGrouping* CFunctionsObject::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (kind != kSubGroupMain) return nullptr;
  switch (index) {
    case kTabletMenuChild: return MakeChild(m_tabletMenu, kPathFunctionArea);
    case kPopupChild: return MakeChild(m_popupRoot, kPathFunctionSet);
    case kButtonsAreaChild: return MakeChild(m_buttonsArea, kPathFunctionArea);
    default: return nullptr;
  }
}

Status CFunctionsObject::ApplyItems() {
  if (m_buttonsArea) DropStatus(m_buttonsArea->ApplyItems(), "each child on its own");
  if (m_tabletMenu) DropStatus(m_tabletMenu->ApplyItems(), "each child on its own");
  if (m_popupRoot) DropStatus(m_popupRoot->ApplyItems(), "each child on its own");
  return kStatusOk;
}

Status CFunctionsObject::DefaultItems() {
  if (m_buttonsArea) DropStatus(m_buttonsArea->DefaultItems(), "each child on its own");
  if (m_tabletMenu) DropStatus(m_tabletMenu->DefaultItems(), "each child on its own");
  if (m_popupRoot) DropStatus(m_popupRoot->DefaultItems(), "each child on its own");
  return kStatusOk;
}

Status CFunctionsObject::Remove() {
  // The buttons area and the tablet menu share one entry in the driver.
  const auto removeChild = [this](auto& child, std::uint16_t code) -> Status {
    if (!child) return kStatusOk;
    CDataKey key = GetKey();
    key.AppendLevel(code, m_applicationId, kQualifierById);
    KELVO_TRY(key.Request(kCommandRemove, 0, nullptr));
    child.reset();
    return kStatusOk;
  };
  KELVO_TRY(removeChild(m_buttonsArea, kPathRemoveArea));
  KELVO_TRY(removeChild(m_tabletMenu, kPathRemoveArea));
  return removeChild(m_popupRoot, kPathRemovePopup);
}
