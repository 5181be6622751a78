#pragma once

#include "settings/CDataGrouping.h"

// The battery of a wireless tablet: its state (shown as a picture) and
// whether a low battery is reported.
class CBattery : public CDataGrouping {
 public:
  CBattery() = default;
  ~CBattery() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
};
