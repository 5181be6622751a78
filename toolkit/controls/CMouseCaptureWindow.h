#pragma once

#include "toolkit/ZafWindow.h"

// Catches the pen (mouse) anywhere on it and reports a tap to its top-level
// window as kZafEventPenTap with the position in data[0], data[1].
class CMouseCaptureWindow : public ZafWindow {
 public:
  CMouseCaptureWindow() : ZafWindow("CMouseCaptureWindow") {}
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kCapture; }
  ZafEventType UserTap(std::int32_t x, std::int32_t y) {
    ZafWindowObject* top = this;
    while (top->Parent() != nullptr) top = top->Parent();
    ZafEventStruct tap;
    tap.type = kZafEventPenTap;
    tap.target = top;
    tap.source = this;
    tap.data = {x, y, 0, 0};
    return top->Event(tap);
  }
};
