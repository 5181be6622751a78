#pragma once

#include "settings/CDataGrouping.h"

// The tablet menu function of one application's function set.
class CTabletMenu : public CDataGrouping {
 public:
  CTabletMenu() = default;
  ~CTabletMenu() override;

  // A menu exists only where the driver answers for its application.
  [[nodiscard]] Status SetKey(const CDataKey& key) override;
  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
};
