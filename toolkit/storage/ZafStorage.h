#pragma once

// A resource file opened read-only: its directory is checked when it is
// opened and every object when it is read, so that a damaged file gives a
// status and never a crash.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "protocol/Status.h"
#include "toolkit/storage/StResourceData.h"
#include "toolkit/storage/StResourceObject.h"

class ZafStorage {
 public:
  ZafStorage() = default;
  ZafStorage(const ZafStorage&) = delete;
  ZafStorage& operator=(const ZafStorage&) = delete;

  // kStatusResourceMissing when the file cannot be read, kStatusResourceDamaged
  // when it is not a whole, intact resource file.
  [[nodiscard]] Status Open(const std::string& path);
  [[nodiscard]] Status OpenBytes(std::vector<std::uint8_t> bytes);
  // The status of the last Open (kStatusResourceMissing before any).
  [[nodiscard]] Status Error() const { return m_error; }
  // What was wrong with the file, for a person: "no such file", "is a
  // folder", "is damaged (...)" ...; empty when it opened.
  [[nodiscard]] const std::string& Problem() const { return m_problem; }
  [[nodiscard]] const std::string& Path() const { return m_path; }

  // kStatusNotFound when no object of that kind has the name.
  [[nodiscard]] Status ReadWindow(const std::string& name, StResourceObject& out) const;
  [[nodiscard]] Status ReadData(const std::string& name, StResourceData& out) const;

  [[nodiscard]] std::vector<std::string> WindowNames() const;
  [[nodiscard]] std::vector<std::string> DataNames() const;

 private:
  struct StEntry {
    std::uint8_t kind;
    std::uint16_t classId;
    std::string className;
    std::string name;
    std::uint32_t offset;
    std::uint32_t size;
  };
  [[nodiscard]] Status ReadDirectory();
  [[nodiscard]] const StEntry* Find(std::uint8_t kind, const std::string& name) const;
  [[nodiscard]] std::span<const std::uint8_t> Payload(const StEntry& entry) const;

  std::vector<std::uint8_t> m_bytes;
  std::vector<StEntry> m_entries;
  std::string m_path;
  std::string m_problem = "was never opened";
  Status m_error = kStatusResourceMissing;
  // Offsets are 32-bit; no real resource file comes near this.
  static constexpr std::size_t kMaxFileSize = 256U << 20;
};
