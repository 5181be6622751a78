#pragma once

// The entries of a combo box or list: text, string identifier, value and a
// word of the application's own (a monitor handle, a tablet key), with at most
// one selected entry.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/ZafWindowObject.h"

struct ZafListEntry {
  std::string text;
  std::string stringId;
  std::int32_t value = 0;
  std::uint64_t data = 0;
};

class ZafList : public ZafWindowObject {
 public:
  [[nodiscard]] const std::vector<ZafListEntry>& Entries() const { return m_entries; }
  [[nodiscard]] std::size_t Count() const { return m_entries.size(); }
  void AddEntry(ZafListEntry entry);
  // Inserts before index (at the end when index is past it).
  void InsertEntry(std::size_t index, ZafListEntry entry);
  // Removes the entry; the selection follows its entry or is cleared.
  void RemoveEntry(std::size_t index);
  void Clear();
  // Index of the first entry with that string id, -1 when none.
  [[nodiscard]] int FindEntry(std::string_view stringId) const;
  // Index of the first entry with that value, -1 when none.
  [[nodiscard]] int FindValue(std::int32_t value) const;

  // -1 when nothing is selected.
  [[nodiscard]] int Selection() const { return m_selection; }
  [[nodiscard]] const ZafListEntry* SelectedEntry() const;
  // Out-of-range indexes clear the selection.
  void SetSelection(int index);
  // The user picked an entry: the user function runs when the selection changed.
  ZafEventType UserSelect(int index);

  [[nodiscard]] Status ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) override;
  // The chosen entry's value (-1 when none), text and string id.
  [[nodiscard]] std::int32_t ShownValue() const override;
  [[nodiscard]] std::string ShownText() const override;
  [[nodiscard]] std::string ShownSelection() const override;
  [[nodiscard]] std::vector<std::string> ShownEntries() const override;

 protected:
  explicit ZafList(std::string className) : ZafWindowObject(std::move(className)) {}

 private:
  std::vector<ZafListEntry> m_entries;
  int m_selection = -1;
};
