#include "driver/CDataKey.h"

#include "services/CDriverInterface.h"

CDataKey::CDataKey(const CDataKey& other) : m_levels(other.m_levels) {}

CDataKey& CDataKey::operator=(const CDataKey& other) {
  m_levels = other.m_levels;
  return *this;
}

std::size_t CDataKey::GetLevelCount() const {
  std::size_t count = 0;
  while (count < kLevelSlots && m_levels[count].code != 0) ++count;
  return count;
}

CDataKey& CDataKey::AppendLevel(std::uint16_t code, std::uint32_t index, std::uint32_t qualifier) {
  const std::size_t used = GetLevelCount();
  if (used >= kMaxLevels) throw static_cast<int>(kStatusKeyFull);
  m_levels[used] = StObjectKey{qualifier, code, index};
  return *this;
}

CDataKey& CDataKey::RemoveLastLevel() {
  const std::size_t used = GetLevelCount();
  m_levels[used == 0 ? 0 : used - 1] = StObjectKey{};
  return *this;
}

StObjectKey CDataKey::LastLevel() const {
  const std::size_t used = GetLevelCount();
  return used == 0 ? StObjectKey{} : m_levels[used - 1];
}

Status CDataKey::Request(std::uint32_t command, std::uint16_t size, void* buffer) {
  // Asked anew each time: the process-wide interface may have been released
  // and made again while this key lived on, and a kept pointer would dangle.
  m_interface = GetDriverInterface();
  if (m_interface == nullptr) return kStatusNoDriverInterface;
  return m_interface->SendRequest(command, m_levels.data(), size, buffer);
}
