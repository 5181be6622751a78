#pragma once

#include <map>
#include <memory>

#include "settings/CDataGrouping.h"

// The buttons (0 to 7) and touch strips (8 and 9) on the tablet, in one
// application's function set. Children are made on first demand and kept.
class CTabletButtonsArea : public CDataGrouping {
 public:
  CTabletButtonsArea() = default;
  ~CTabletButtonsArea() override;

  // An area exists only where the driver answers for its application.
  [[nodiscard]] Status SetKey(const CDataKey& key) override;
  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  // The kind is not looked at.
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  // Children that were never asked for are left alone.
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;

 private:
  std::map<std::uint32_t, std::unique_ptr<CDataGrouping>> m_children;
};
