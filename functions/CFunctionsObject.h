#pragma once

#include <cstdint>
#include <memory>

#include "settings/CDataGrouping.h"

class CModelContext;
class CPopupRoot;
class CTabletButtonsArea;
class CTabletMenu;

// The tablet functions one application has of its own: its tablet menu (0),
// popup menu (1) and tablet buttons area (2), each made on first demand where
// the driver answers for it. Items 41 to 44 are the application's.
class CFunctionsObject : public CDataGrouping {
 public:
  explicit CFunctionsObject(CModelContext& context);
  ~CFunctionsObject() override;

  void SetApplicationId(std::uint32_t id) { m_applicationId = id; }
  [[nodiscard]] std::uint32_t GetApplicationId() const { return m_applicationId; }

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  // The children that exist, buttons area first.
  [[nodiscard]] Status ApplyItems() override;
  [[nodiscard]] Status DefaultItems() override;
  // Removes the children that exist from the driver, stopping at a refusal.
  [[nodiscard]] Status Remove() override;

 private:
  // The child's path: the application's entry of the function areas or
  // of the popup menus.
  [[nodiscard]] CDataKey ChildKey(std::uint16_t code) const;
  template <typename T>
  [[nodiscard]] T* MakeChild(std::unique_ptr<T>& slot, std::uint16_t code);

  CModelContext& m_context;
  std::unique_ptr<CTabletButtonsArea> m_buttonsArea;
  std::unique_ptr<CTabletMenu> m_tabletMenu;
  std::unique_ptr<CPopupRoot> m_popupRoot;
  std::uint32_t m_applicationId = 0;
};
