#include "toolkit/controls/ZafList.h"

#include "toolkit/storage/StResourceObject.h"

Status ZafList::ReadStored(const StResourceObject& record, ZafObjectPersistence& persistence) {
  KELVO_TRY(ZafWindowObject::ReadStored(record, persistence));
  if (record.entries) {
    for (const StResourceEntry& e : *record.entries) AddEntry({e.text, e.stringId, e.value, 0});
  }
  return kStatusOk;
}

std::int32_t ZafList::ShownValue() const {
  return SelectedEntry() != nullptr ? SelectedEntry()->value : -1;
}

std::string ZafList::ShownText() const { return SelectedEntry() != nullptr ? SelectedEntry()->text : ""; }

std::string ZafList::ShownSelection() const {
  return SelectedEntry() != nullptr ? SelectedEntry()->stringId : "none";
}

std::vector<std::string> ZafList::ShownEntries() const {
  std::vector<std::string> entries;
  for (const ZafListEntry& entry : m_entries) entries.push_back(entry.stringId.empty() ? entry.text : entry.stringId);
  return entries;
}

void ZafList::AddEntry(ZafListEntry entry) { InsertEntry(m_entries.size(), std::move(entry)); }

void ZafList::InsertEntry(std::size_t index, ZafListEntry entry) {
  if (index > m_entries.size()) index = m_entries.size();
  m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
  if (m_selection >= 0 && static_cast<std::size_t>(m_selection) >= index) ++m_selection;
  NotifyChanged(ZafChange::kEntries);
}

void ZafList::RemoveEntry(std::size_t index) {
  if (index >= m_entries.size()) return;
  m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
  const int removed = static_cast<int>(index);
  if (m_selection == removed) {
    m_selection = -1;
  } else if (m_selection > removed) {
    --m_selection;
  }
  NotifyChanged(ZafChange::kEntries);
}

void ZafList::Clear() {
  m_entries.clear();
  m_selection = -1;
  NotifyChanged(ZafChange::kEntries);
}

int ZafList::FindEntry(std::string_view stringId) const {
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].stringId == stringId) return static_cast<int>(i);
  }
  return -1;
}

int ZafList::FindValue(std::int32_t value) const {
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].value == value) return static_cast<int>(i);
  }
  return -1;
}

const ZafListEntry* ZafList::SelectedEntry() const {
  return m_selection < 0 ? nullptr : &m_entries[static_cast<std::size_t>(m_selection)];
}

void ZafList::SetSelection(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) index = -1;
  if (index == m_selection) return;
  m_selection = index;
  NotifyChanged(ZafChange::kSelection);
}

ZafEventType ZafList::UserSelect(int index) {
  if (EffectivelyDisabled()) return 0;
  const int before = m_selection;
  SetSelection(index);
  if (m_selection == before) return 0;
  return UserChanged();
}
