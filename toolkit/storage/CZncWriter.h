#pragma once

// Collects windows and data objects and lays them out as one resource file.

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/Status.h"
#include "toolkit/storage/StResourceData.h"
#include "toolkit/storage/StResourceObject.h"

class CZncWriter {
 public:
  // A second object of the same kind and name is refused (kStatusAlreadyExists).
  [[nodiscard]] Status AddWindow(const std::string& name, const StResourceObject& window);
  [[nodiscard]] Status AddData(const StResourceData& data);

  [[nodiscard]] std::vector<std::uint8_t> Build() const;
  // Writes through a temporary file and a rename, so a failed build never
  // leaves half a file behind.
  [[nodiscard]] Status WriteFile(const std::string& path) const;

 private:
  struct StPending {
    std::uint8_t kind;
    std::uint16_t classId;
    std::string className;
    std::string name;
    std::vector<std::uint8_t> payload;
  };
  [[nodiscard]] bool Has(std::uint8_t kind, const std::string& name) const;

  std::vector<StPending> m_entries;
};
