#pragma once

#include "toolkit/controls/ZafList.h"

// A drop-down list. While its list is open the user is only browsing: it
// answers kZafEventQuerySettled with 0 then, and 1 once the list closed.
class ZafComboBox : public ZafList {
 public:
  ZafComboBox() : ZafList("ZafComboBox") {}

  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kComboBox; }
  [[nodiscard]] bool ShownOpen() const override { return m_listOpen; }

  [[nodiscard]] bool ListOpen() const { return m_listOpen; }
  void SetListOpen(bool open) {
    if (open == m_listOpen) return;
    m_listOpen = open;
    NotifyChanged(ZafChange::kMenu);
  }

  ZafEventType Event(const ZafEventStruct& event) override {
    if (event.type == kZafEventQuerySettled) return m_listOpen ? 0 : 1;
    return ZafList::Event(event);
  }

 private:
  bool m_listOpen = false;
};
