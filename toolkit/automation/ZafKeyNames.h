#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Key names of the automation scripts ("F1", "Enter", "Ctrl", "A", "0x2E").
class ZafKeyNames {
 public:
  [[nodiscard]] static std::optional<std::uint8_t> Find(std::string_view name);
  // The navigation block keys carry the extended-key bit.
  [[nodiscard]] static bool IsExtended(std::uint8_t virtualKey);
  // The virtual key that types a character on a US layout (0 when none).
  [[nodiscard]] static std::uint8_t ForCharacter(char c);
};
