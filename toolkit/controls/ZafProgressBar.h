#pragma once

#include <algorithm>

#include "toolkit/ZafWindowObject.h"
#include "toolkit/storage/StResourceObject.h"

// A bar filled to a value within a range.
class ZafProgressBar : public ZafWindowObject {
 public:
  ZafProgressBar() : ZafProgressBar("ZafProgressBar") {}
  explicit ZafProgressBar(std::string className) : ZafWindowObject(std::move(className)) {}

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override {
    KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
    SetRange(record.minimum.value_or(0), record.maximum.value_or(100));
    SetCurrent(record.value.value_or(Minimum()));
    return kStatusOk;
  }
  [[nodiscard]] ZafWidgetKind WidgetKind() const override { return ZafWidgetKind::kProgress; }
  [[nodiscard]] std::int32_t ShownValue() const override { return m_current; }
  // Whether the bar also shows its fill as text ("42%").
  [[nodiscard]] virtual bool ShowPercent() const { return false; }

  [[nodiscard]] std::int32_t Minimum() const { return m_minimum; }
  [[nodiscard]] std::int32_t Maximum() const { return m_maximum; }
  [[nodiscard]] std::int32_t Current() const { return m_current; }
  void SetRange(std::int32_t minimum, std::int32_t maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    m_minimum = minimum;
    m_maximum = maximum;
    NotifyChanged(ZafChange::kRange);
    SetCurrent(m_current);
  }
  void SetCurrent(std::int32_t value) {
    value = std::clamp(value, m_minimum, m_maximum);
    if (value == m_current) return;
    m_current = value;
    NotifyChanged(ZafChange::kValue);
  }

 private:
  std::int32_t m_minimum = 0;
  std::int32_t m_maximum = 100;
  std::int32_t m_current = 0;
};
