#pragma once

#include "toolkit/ZafWindowObject.h"

// A scroll bar, or a slider when its style says so: a position within a
// range, moved in steps.
class ZafScrollBar : public ZafWindowObject {
 public:
  ZafScrollBar() : ZafScrollBar("ZafScrollBar") {}
  explicit ZafScrollBar(std::string className) : ZafWindowObject(std::move(className)) {}

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override;
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kScrollBar; }
  [[nodiscard]] std::int32_t ShownValue() const override { return m_position; }

  [[nodiscard]] bool IsSlider() const { return m_slider; }
  void SetSlider(bool slider) { m_slider = slider; }
  [[nodiscard]] bool Vertical() const { return m_vertical; }
  void SetVertical(bool vertical) { m_vertical = vertical; }

  [[nodiscard]] std::int32_t Minimum() const { return m_minimum; }
  [[nodiscard]] std::int32_t Maximum() const { return m_maximum; }
  [[nodiscard]] std::int32_t Step() const { return m_step; }
  // A range whose minimum is above its maximum is turned round.
  void SetRange(std::int32_t minimum, std::int32_t maximum, std::int32_t step = 1);

  [[nodiscard]] std::int32_t Position() const { return m_position; }
  // Clamped to the range.
  void SetPosition(std::int32_t position);
  // The user moved the slider: the user function runs only when the
  // position really changed.
  ZafEventType UserSetPosition(std::int32_t position);

 private:
  bool m_slider = false;
  bool m_vertical = false;
  std::int32_t m_minimum = 0;
  std::int32_t m_maximum = 100;
  std::int32_t m_step = 1;
  std::int32_t m_position = 0;
};
