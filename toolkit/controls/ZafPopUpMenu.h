#pragma once

#include "toolkit/ZafWindowObject.h"

// A pop-up menu: its children are ZafPopUpItems. Open while shown.
class ZafPopUpMenu : public ZafWindowObject {
 public:
  ZafPopUpMenu() : ZafPopUpMenu("ZafPopUpMenu") {}
  explicit ZafPopUpMenu(std::string className) : ZafWindowObject(std::move(className)) {}

  [[nodiscard]] bool Open() const { return m_open; }
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kMenu; }
  [[nodiscard]] bool ShownOpen() const override { return m_open; }
  void SetOpen(bool open) {
    if (open == m_open) return;
    m_open = open;
    NotifyChanged(ZafChange::kMenu);
  }

 private:
  bool m_open = false;
};
