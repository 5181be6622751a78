#pragma once

#include <cstdint>
#include <memory>

#include "views/CListSuperView.h"

class CStringManager;

// Entry requests of the tablet list (the mode of GetEntry): the entry's
// display name (text) and its tablet's model code (16 bits).
inline constexpr std::uint32_t kTabletEntryName = 101;
inline constexpr std::uint32_t kTabletEntryModel = 103;

// The tablet list: one entry per tablet of the driver object, named after the
// tablet's model. The selection is the driver object's selected tablet. A Set
// to the list whose data is one of its entries selects that entry.
class CReadOnlyTabletListView : public CListSuperView {
 public:
  explicit CReadOnlyTabletListView(std::uint32_t controlId);

  [[nodiscard]] Status Build() override;
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
  [[nodiscard]] Status CreateEntry(std::unique_ptr<CListSuperView>& entry) override;
  [[nodiscard]] ViewResult GetEntry(std::uint32_t mode, void* out) override;
  [[nodiscard]] ViewResult SelectEntry(std::uint32_t mode, void* data) override;
  [[nodiscard]] Status EntryKey(std::uint32_t& key) const override;

  // The single tablet list of the process, or none.
  [[nodiscard]] static CReadOnlyTabletListView* Registered();
  ~CReadOnlyTabletListView() override;

 private:
  [[nodiscard]] Status BuildEntry();
  [[nodiscard]] std::uint16_t ModelCode();

  // The entry's key: its tablet's position, until one is stored; -1 unset.
  std::int32_t m_key = -1;
  CStringManager* m_strings;
};
