#pragma once

#include <cstdint>

#include "functions/CPopupRoot.h"

// One entry of a popup menu; a submenu entry holds entries of its own. An
// entry the driver reports as marked for deletion is deleted there when the
// entry object goes.
class CPopupItem : public CPopupRoot {
 public:
  CPopupItem() = default;
  ~CPopupItem() override;

  // Places the entry at `position` under the menu with `menuKey`.
  [[nodiscard]] Status Place(const CDataKey& menuKey, std::int32_t position);
  [[nodiscard]] std::int32_t GetPosition() const { return m_position; }
  // The entry's kind as the driver holds it now.
  [[nodiscard]] Status ReadKind(std::uint32_t& kind) const;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;

 private:
  std::int32_t m_position = -1;
};
