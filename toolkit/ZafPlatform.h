#pragma once

#include <cstdint>

// Records the module instance that windows and resources belong to, and the
// version of the system underneath as the host reports it.
class ZafPlatform {
 public:
  explicit ZafPlatform(void* instance) : m_instance(instance) {}
  ZafPlatform(const ZafPlatform&) = delete;
  ZafPlatform& operator=(const ZafPlatform&) = delete;

  [[nodiscard]] void* Instance() const { return m_instance; }
  void SetVersion(std::uint32_t major, std::uint32_t minor) {
    m_major = major;
    m_minor = minor;
  }
  [[nodiscard]] std::uint32_t MajorVersion() const { return m_major; }
  [[nodiscard]] std::uint32_t MinorVersion() const { return m_minor; }

 private:
  void* m_instance;
  std::uint32_t m_major = 5;
  std::uint32_t m_minor = 1;
};
