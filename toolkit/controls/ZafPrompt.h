#pragma once

#include "toolkit/ZafWindowObject.h"

enum class ZafAlignment { kLeft, kCenter, kRight };

// A text label.
class ZafPrompt : public ZafWindowObject {
 public:
  ZafPrompt() : ZafPrompt("ZafPrompt") {}
  explicit ZafPrompt(std::string className) : ZafWindowObject(std::move(className)) {}
  [[nodiscard]] ZafAlignment Alignment() const { return m_alignment; }
  void SetAlignment(ZafAlignment alignment) { m_alignment = alignment; }

 private:
  ZafAlignment m_alignment = ZafAlignment::kLeft;
};
