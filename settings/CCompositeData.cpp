#include "settings/CCompositeData.h"

#include <algorithm>
#include <cstring>
#include <vector>

CCompositeData::CCompositeData(DataType type, Status missingSourceStatus)
    : CDriverData(type), m_missingSourceStatus(missingSourceStatus) {}

CDriverData* CCompositeData::GetSource(std::size_t i) const {
  return i < m_sourceCount ? m_sources[i] : nullptr;
}

Status CCompositeData::AssignSources(std::initializer_list<CDriverData*> sources) {
  if (sources.size() == 0 || sources.size() > kMaxSources) return kStatusMissingArgument;
  for (CDriverData* source : sources) {
    if (source == nullptr) return m_missingSourceStatus;
  }
  m_sourceCount = 0;
  for (CDriverData* source : sources) m_sources[m_sourceCount++] = source;
  return kStatusOk;
}

Status CCompositeData::Revert() {
  Status last = kStatusOk;
  for (std::size_t i = 0; i < m_sourceCount; ++i) {
    if (m_sources[i] == nullptr) continue;
    if (const Status status = m_sources[i]->Revert(); status != kStatusOk) last = status;
  }
  return last;
}

Status CCompositeData::Commit() {
  for (std::size_t i = 0; i < m_sourceCount; ++i) {
    if (m_sources[i] != nullptr)
      DropStatus(m_sources[i]->Commit(),
                 "each source keeps its own status; the composite answers 0");
  }
  return kStatusOk;
}

Status CCompositeData::SetDefault() {
  for (std::size_t i = 0; i < m_sourceCount; ++i) {
    if (m_sources[i] != nullptr)
      DropStatus(m_sources[i]->SetDefault(),
                 "each source keeps its own status; the composite answers 0");
  }
  return kStatusOk;
}

Status CCompositeData::Apply() {
  for (std::size_t i = 0; i < m_sourceCount; ++i) {
    if (m_sources[i] != nullptr)
      DropStatus(m_sources[i]->Apply(),
                 "each source keeps its own status; the composite answers 0");
  }
  return kStatusOk;
}

Status CCompositeData::Refresh(bool& changed, ObserverToken observer) {
  changed = false;
  for (std::size_t i = 0; i < m_sourceCount; ++i) {
    if (m_sources[i] == nullptr) continue;
    bool sourceChanged = false;
    KELVO_TRY(m_sources[i]->Refresh(sourceChanged, observer));
    changed = changed || sourceChanged;
  }
  return kStatusOk;
}

Status CCompositeData::ReadValue(CDriverData& item, void* out, std::size_t size) {
  std::vector<std::byte> value(std::max<std::size_t>(item.GetSize(), size));
  const Status status = item.Get(value.data());
  std::memcpy(out, value.data(), size);
  return status;
}

Status CCompositeData::WriteValue(CDriverData& item, const void* value, std::size_t size) {
  std::vector<std::byte> full(std::max<std::size_t>(item.GetSize(), size));
  std::memcpy(full.data(), value, std::min<std::size_t>(size, full.size()));
  return item.Set(full.data());
}
