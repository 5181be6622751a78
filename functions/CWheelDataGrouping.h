#pragma once

#include "settings/CDataGrouping.h"

// A finger wheel: scroll by lines (with a line count), by pages or off, a
// keystroke per direction and the modifiers. A tool has one only where the
// driver answers for its function.
class CWheelDataGrouping : public CDataGrouping {
 public:
  CWheelDataGrouping() = default;
  ~CWheelDataGrouping() override;

  // Takes the key, then refreshes the wheel's function: 0x606 when that item
  // cannot be made, else the refresh's status; a wheel that fails is not kept.
  [[nodiscard]] Status SetKey(const CDataKey& key) override;
  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
};
