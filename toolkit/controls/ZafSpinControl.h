#pragma once

#include "toolkit/controls/ZafInteger.h"

// Up and down arrows around an integer field (its first ZafInteger child):
// each step adds or subtracts the delta within the range.
class ZafSpinControl : public ZafWindowObject {
 public:
  ZafSpinControl() : ZafWindowObject("ZafSpinControl") {}

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override;
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kSpin; }
  [[nodiscard]] std::int32_t ShownValue() const override;

  [[nodiscard]] ZafInteger* Field() const;
  [[nodiscard]] std::int32_t Delta() const { return m_delta; }
  void SetDelta(std::int32_t delta) { m_delta = delta > 0 ? delta : 1; }
  [[nodiscard]] std::int32_t Minimum() const { return m_minimum; }
  [[nodiscard]] std::int32_t Maximum() const { return m_maximum; }
  void SetRange(std::int32_t minimum, std::int32_t maximum);

  // The user clicked an arrow (+1 up, -1 down): the field changes within the
  // range and the spin control's user function runs when it changed.
  ZafEventType UserStep(int direction);

 private:
  std::int32_t m_delta = 1;
  std::int32_t m_minimum = INT32_MIN;
  std::int32_t m_maximum = INT32_MAX;
};
