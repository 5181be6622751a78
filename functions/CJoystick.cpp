#include "functions/CJoystick.h"

#include "functions/FunctionCodes.h"
#include "model/ModelCodes.h"
#include "settings/MakeNoThrow.h"

namespace {

constexpr StItemRow kJoystickItems[] = {
    {kItemJoystickSpeed, kCodeParameter, DataType::kLong, BehaviourKind::kLive,
     0},  // 0 off .. 3 fast
};

}  // namespace

CJoystick::~CJoystick() = default;

Status CJoystick::GetItem(ItemId itemId, CDriverData*& item) {
  return GetTableItem(kJoystickItems, itemId, item);
}

CDataGrouping* CJoystick::GetSubGroup(std::int32_t index, std::int32_t kind) {
  if (index != 0 || kind != kSubGroupMain) return nullptr;
  if (m_switch) return m_switch.get();
  std::unique_ptr<CButton> button = MakeNoThrow<CButton>();
  if (!button) return nullptr;
  CDataKey key = GetKey();
  key.AppendLevel(kPathButton, 0);
  if (button->SetKey(key) != kStatusOk) return nullptr;
  m_switch = std::move(button);
  return m_switch.get();
}

std::int32_t CJoystick::GetSubGroupCount(std::int32_t kind) {
  return kind == kSubGroupMain ? 1 : 0;
}

Status CJoystick::ApplyItems() {
  KELVO_TRY(ApplyItem(kItemJoystickSpeed));
  return m_switch ? m_switch->ApplyItems() : kStatusOk;
}

Status CJoystick::DefaultItems() {
  DropStatus(DefaultItem(kItemJoystickSpeed), "the switch is reset all the same");
  if (m_switch) DropStatus(m_switch->DefaultItems(), "the speed was reset already");
  return kStatusOk;
}
