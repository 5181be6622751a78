#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "settings/CDataGrouping.h"

class CPopupItem;

// One popup menu of an application's function set. Its entries live in the
// driver; the list here follows the driver's count, and asking for the entry
// just past the end creates one there.
class CPopupRoot : public CDataGrouping {
 public:
  CPopupRoot();
  ~CPopupRoot() override;

  [[nodiscard]] Status GetItem(ItemId itemId, CDriverData*& item) override;
  // Kind 0 only. A negative index, or any when the menu is empty, only
  // updates the list.
  [[nodiscard]] CDataGrouping* GetSubGroup(std::int32_t index, std::int32_t kind) override;
  // Drops trailing entries marked for deletion (the driver loses them too).
  [[nodiscard]] std::int32_t GetSubGroupCount(std::int32_t kind) override;
  [[nodiscard]] Status ApplyItems() override;
  // Resets the menu's own items and asks the driver to reset the entries.
  [[nodiscard]] Status DefaultItems() override;

  [[nodiscard]] std::size_t GetEntryCount() const { return m_entries.size(); }

 protected:
  // The list grown or cut to the driver's count.
  [[nodiscard]] Status UpdateEntries(std::uint16_t& count);

 private:
  std::vector<std::unique_ptr<CPopupItem>> m_entries;
};
