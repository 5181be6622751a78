#pragma once

#include "toolkit/ZafWindow.h"

// A window whose content is larger than its region and scrolls: the offset
// of the content's top-left corner.
class CScrollWindow : public ZafWindow {
 public:
  CScrollWindow() : ZafWindow("CScrollWindow") {}
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kScrollWindow; }
  [[nodiscard]] std::int32_t ScrollX() const { return m_x; }
  [[nodiscard]] std::int32_t ScrollY() const { return m_y; }
  void ScrollTo(std::int32_t x, std::int32_t y) {
    m_x = x < 0 ? 0 : x;
    m_y = y < 0 ? 0 : y;
    NotifyChanged(ZafChange::kDrawing);
  }

 private:
  std::int32_t m_x = 0;
  std::int32_t m_y = 0;
};
