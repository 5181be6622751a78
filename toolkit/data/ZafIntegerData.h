#pragma once

#include <cstdint>

#include "toolkit/data/ZafData.h"

class ZafIntegerData : public ZafData {
 public:
  ZafIntegerData(std::string name, std::int32_t value) : ZafData("ZafIntegerData", std::move(name)), m_value(value) {}
  [[nodiscard]] std::int32_t Value() const { return m_value; }
  void SetValue(std::int32_t value) { m_value = value; }

 private:
  std::int32_t m_value;
};
