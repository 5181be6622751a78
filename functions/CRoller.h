#pragma once

#include "settings/CDataGrouping.h"

// A puck's roller: its function and that function's parameter.
class CRoller : public CDataGrouping {
 public:
  CRoller() = default;
  ~CRoller() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
};
