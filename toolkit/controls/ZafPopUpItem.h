#pragma once

#include "toolkit/controls/ZafButton.h"
#include "toolkit/controls/ZafPopUpMenu.h"

// One entry of a pop-up menu; choosing it closes the menu and acts as a
// button press (user function, send message).
class ZafPopUpItem : public ZafButton {
 public:
  ZafPopUpItem() : ZafPopUpItem("ZafPopUpItem") {}
  explicit ZafPopUpItem(std::string className) : ZafButton(std::move(className)) {}

  ZafEventType UserPress() override {
    if (auto* menu = dynamic_cast<ZafPopUpMenu*>(Parent())) menu->SetOpen(false);
    return ZafButton::UserPress();
  }
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kMenuItem; }
};
