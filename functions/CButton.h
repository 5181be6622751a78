#pragma once

#include "settings/CDataGrouping.h"

// A programmable button of a pen or puck (and the joystick's switch): its
// name, its function block at 62, and item 107, which the driver answers only
// for a button whose function cannot be changed.
class CButton : public CDataGrouping {
 public:
  CButton() = default;
  ~CButton() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  // The function, its modifiers, keystroke and application path.
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
};
