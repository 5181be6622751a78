#pragma once

#include "toolkit/controls/ZafProgressBar.h"

// The applet's own progress bar: a toolkit bar that also shows its value as
// text ("42%") when asked to.
class CProgressBar : public ZafProgressBar {
 public:
  CProgressBar() : ZafProgressBar("CProgressBar") {}
  [[nodiscard]] bool ShowPercent() const override { return m_showPercent; }
  void SetShowPercent(bool show) { m_showPercent = show; }
  // The fill in percent of the range, rounded down.
  [[nodiscard]] int Percent() const {
    const std::int64_t span = std::int64_t{Maximum()} - Minimum();
    return span <= 0 ? 0 : static_cast<int>((std::int64_t{Current()} - Minimum()) * 100 / span);
  }

 private:
  bool m_showPercent = false;
};
