#pragma once

#include <cstdint>
#include <string>

#include "views/CItemView.h"

class CStringManager;

// Read-only text of the switches pressed: "1, 3" for a mask of 0x5, or the
// general text for none.
class CSwitchStateItemView : public CItemView {
 public:
  CSwitchStateItemView(std::uint32_t controlId, ItemId itemId, std::uint32_t valueType = 0);

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;

  // The text for a mask; `noneText` when no bit is set.
  [[nodiscard]] static std::string SwitchText(std::uint32_t mask, const std::string& noneText);

 private:
  CStringManager* m_strings;
};
