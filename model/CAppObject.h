#pragma once

#include "settings/CDataGrouping.h"

// An application for which the driver keeps settings of its own. Its key is
// the driver object's key plus (18, 0), (9, application number).
class CAppObject : public CDataGrouping {
 public:
  CAppObject() = default;
  ~CAppObject() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
};
