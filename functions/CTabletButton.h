#pragma once

#include "settings/CDataGrouping.h"

// One of the buttons on the tablet itself, in an application's function set:
// a function block at 175 whose name is written at once, and item 107 as on
// tool buttons.
class CTabletButton : public CDataGrouping {
 public:
  CTabletButton() = default;
  ~CTabletButton() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
};
