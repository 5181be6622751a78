#pragma once

#include "toolkit/controls/ZafInteger.h"

// An integer field that takes a value only when the user confirms it with
// Enter (the window has seen the key before its focus object, so the
// diagnostics dialog can move the focus on it).
class CIntegerEditControl : public ZafInteger {
 public:
  CIntegerEditControl() : ZafInteger("CIntegerEditControl") {}
  [[nodiscard]] bool ConfirmsOnEnter() const override { return true; }
  [[nodiscard]] bool KeepsKey(std::uint8_t virtualKey) const override { return virtualKey == kZafKeyReturn; }
  ZafEventType Event(const ZafEventStruct& event) override {
    if (event.type == kZafEventKey && event.key.down && event.key.virtualKey == kZafKeyReturn) {
      UserSetValue(IntegerValue());
      return 1;  // Enter confirms the value; it presses no default button
    }
    return ZafInteger::Event(event);
  }
};
