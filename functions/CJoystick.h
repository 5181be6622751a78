#pragma once

#include <memory>

#include "functions/CButton.h"
#include "settings/CDataGrouping.h"

// The tablet's joystick: its scroll speed and its switch, a programmable
// button made on first demand.
class CJoystick : public CDataGrouping {
 public:
  CJoystick() = default;
  ~CJoystick() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  // Only (0, 0): the switch.
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;

 private:
  std::unique_ptr<CButton> m_switch;
};
