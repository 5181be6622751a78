#pragma once

#include <array>
#include <cstdint>

#include "protocol/StObjectKey.h"
#include "protocol/Status.h"

class CDriverInterface;

// The path naming one object or value in the driver, and the object through
// which every request for it is sent. At most nine levels are used, so that
// the tenth entry stays zero and the array can go out as a packet's keys.
class CDataKey {
 public:
  static constexpr std::size_t kLevelSlots = 10;
  static constexpr std::size_t kMaxLevels = 9;

  CDataKey() = default;
  // A copy takes the levels only; it finds the driver interface on its own
  // first request.
  CDataKey(const CDataKey& other);
  CDataKey& operator=(const CDataKey& other);
  virtual ~CDataKey() = default;

  // Writes the first free level. Throws the integer status 256 when nine
  // levels are already used.
  CDataKey& AppendLevel(std::uint16_t code, std::uint32_t index = 0, std::uint32_t qualifier = 0);
  CDataKey& RemoveLastLevel();
  [[nodiscard]] StObjectKey LastLevel() const;
  [[nodiscard]] std::size_t GetLevelCount() const;
  [[nodiscard]] const StObjectKey* GetLevels() const { return m_levels.data(); }
  [[nodiscard]] const StObjectKey& GetLevel(std::size_t i) const { return m_levels.at(i); }

  // Sends `command` for this path with `size` bytes at `buffer`.
  [[nodiscard]] Status Request(std::uint32_t command, std::uint16_t size, void* buffer);

  friend bool operator==(const CDataKey& a, const CDataKey& b) { return a.m_levels == b.m_levels; }

 private:
  std::array<StObjectKey, kLevelSlots> m_levels{};
  CDriverInterface* m_interface = nullptr;
};
