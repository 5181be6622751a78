#pragma once

#include "toolkit/ZafWindowObject.h"

// A part of a window's frame (border, title, system buttons) that the window
// system draws itself; it carries no state of its own and has no widget.
class ZafDecoration : public ZafWindowObject {
 public:
  explicit ZafDecoration(std::string className) : ZafWindowObject(std::move(className)) {}
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kNone; }
};
