#pragma once

#include "toolkit/controls/ZafInteger.h"

// An integer field that takes a value only when the user confirms it with
// Enter (the diagnostics dialog moves the focus on that key).
class CIntegerEditControl : public ZafInteger {
 public:
  CIntegerEditControl() : ZafInteger("CIntegerEditControl") {}
  ZafEventType Event(const ZafEventStruct& event) override {
    if (event.type == kZafEventKey && event.key.down && event.key.virtualKey == kZafKeyReturn) {
      UserSetValue(IntegerValue());
      return 0;  // the window sees Enter too
    }
    return ZafInteger::Event(event);
  }
};
