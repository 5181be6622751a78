#include "toolkit/data/ZafDataManager.h"

#include <algorithm>

ZafData* ZafDataManager::Add(std::unique_ptr<ZafData> data) {
  if (!data) return nullptr;
  (void)Remove(data->Name());
  m_data.push_back(std::move(data));
  return m_data.back().get();
}

ZafData* ZafDataManager::Get(const std::string& name) const {
  for (const auto& d : m_data) {
    if (d->Name() == name) return d.get();
  }
  return nullptr;
}

std::unique_ptr<ZafData> ZafDataManager::Remove(const std::string& name) {
  auto it = std::find_if(m_data.begin(), m_data.end(), [&](const auto& d) { return d->Name() == name; });
  if (it == m_data.end()) return nullptr;
  std::unique_ptr<ZafData> out = std::move(*it);
  m_data.erase(it);
  return out;
}
