#pragma once

#include "toolkit/ZafWindow.h"

// Shows the pen's pressure as a filled bar: the current pressure out of the
// tool's maximum.
class CPressureTestWnd : public ZafWindow {
 public:
  CPressureTestWnd() : ZafWindow("CPressureTestWnd") {}
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kPressure; }
  [[nodiscard]] std::int32_t Pressure() const { return m_pressure; }
  [[nodiscard]] std::int32_t MaximumPressure() const { return m_maximum; }
  // Values outside 0..maximum are clamped; a maximum below 1 counts as 1.
  void SetPressure(std::int32_t pressure, std::int32_t maximum) {
    m_maximum = maximum < 1 ? 1 : maximum;
    m_pressure = pressure < 0 ? 0 : (pressure > m_maximum ? m_maximum : pressure);
    NotifyChanged(ZafChange::kDrawing);
  }
  // How many of `pixels` the bar fills.
  [[nodiscard]] std::int32_t FilledPixels(std::int32_t pixels) const {
    return static_cast<std::int32_t>(std::int64_t{pixels} * m_pressure / m_maximum);
  }

 private:
  std::int32_t m_pressure = 0;
  std::int32_t m_maximum = 1;
};
