#pragma once

#include "settings/CDataGrouping.h"

// A touch strip on the tablet: one function with a parameter, and per
// direction (index 0 and 1) a keystroke and its name, plus the modifiers.
// Every value is written at once; a reset puts all of them back to the
// driver's defaults, so that a strip never keeps a keystroke its default
// function does not use.
class CTouchStrip : public CDataGrouping {
 public:
  CTouchStrip() = default;
  ~CTouchStrip() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
};
