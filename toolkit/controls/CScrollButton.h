#pragma once

#include "toolkit/controls/ZafButton.h"

// A button that repeats while held: each repeat acts like a press.
class CScrollButton : public ZafButton {
 public:
  CScrollButton() : ZafButton("CScrollButton") {}
  [[nodiscard]] std::int32_t RepeatMs() const override { return m_repeatMs; }
  void SetRepeatMs(std::int32_t ms) { m_repeatMs = ms > 0 ? ms : 1; }
  // The user held the button for `heldMs`: one press plus one per repeat.
  int UserHold(std::int32_t heldMs) {
    const int presses = 1 + (heldMs > 0 ? heldMs / m_repeatMs : 0);
    for (int i = 0; i < presses; ++i) UserPress();
    return presses;
  }

 private:
  std::int32_t m_repeatMs = 100;
};
