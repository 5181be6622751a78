#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "driver/CDataKey.h"
#include "services/CDriverInterface.h"

// A small driver for the settings tests: values by path, a factory value per
// path (none: not supported), failures on demand, and a log of every request so that
// tests can count what reached the driver.
class CFakeValueDriver : public CDriverInterface {
 public:
  struct StRequest {
    std::uint32_t command = 0;
    std::string path;
    std::vector<std::byte> data;  // what a set carried
  };

  Status SendRequest(std::uint32_t command, const StObjectKey* keys, std::uint32_t capacity,
                     void* buffer) override;
  Status GetAppletVersion(VersionRecord& out) override;
  Status Open() override { return kStatusOk; }

  template <typename T>
  void Poke(const CDataKey& key, const T& value) {
    PokeBytes(key, &value, sizeof(T));
  }
  void PokeBytes(const CDataKey& key, const void* data, std::size_t size);
  template <typename T>
  void PokeDefault(const CDataKey& key, const T& value) {
    std::vector<std::byte> bytes(sizeof(T));
    std::memcpy(bytes.data(), &value, sizeof(T));
    m_defaults[PathOf(key.GetLevels())] = bytes;
  }
  template <typename T>
  [[nodiscard]] T Peek(const CDataKey& key) const {
    T value{};
    const auto found = m_values.find(PathOf(key.GetLevels()));
    if (found != m_values.end()) {
      std::memcpy(&value, found->second.data(), std::min(sizeof(T), found->second.size()));
    }
    return value;
  }

  // Every request of `command` for `key` (any key when none) answers `status`.
  void Fail(std::uint32_t command, Status status, const CDataKey* key = nullptr);
  void ClearFailures() { m_failures.clear(); }

  [[nodiscard]] std::size_t Count(std::uint32_t command) const;
  [[nodiscard]] std::size_t Count(std::uint32_t command, const CDataKey& key) const;
  [[nodiscard]] const std::vector<StRequest>& Requests() const { return m_requests; }
  void ClearLog() { m_requests.clear(); }

  [[nodiscard]] static std::string PathOf(const StObjectKey* keys);

 private:
  std::map<std::string, std::vector<std::byte>> m_values;
  std::map<std::string, std::vector<std::byte>> m_defaults;
  // (command, path or "" for every path) -> status
  std::map<std::pair<std::uint32_t, std::string>, Status> m_failures;
  std::vector<StRequest> m_requests;
};
