#pragma once

#include "toolkit/data/ZafData.h"

class ZafStringData : public ZafData {
 public:
  ZafStringData(std::string name, std::string text) : ZafData("ZafStringData", std::move(name)), m_text(std::move(text)) {}
  [[nodiscard]] const std::string& Text() const { return m_text; }
  void SetText(std::string text) { m_text = std::move(text); }

 private:
  std::string m_text;
};
