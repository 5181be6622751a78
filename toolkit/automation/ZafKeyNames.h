#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A key as automation scripts name it: its virtual-key code and whether it is
// the numeric keypad's ("NumHome" is Home on the keypad with Num Lock off).
struct StNamedKey {
  std::uint8_t virtualKey = 0;
  bool keypad = false;
};

// Key names of the automation scripts ("F1", "Enter", "Ctrl", "A", "NumHome", "0x2E").
class ZafKeyNames {
 public:
  [[nodiscard]] static std::optional<StNamedKey> Find(std::string_view name);
  // The extended-key bit: the dedicated navigation keys have it, the same
  // keys on the keypad do not; the keypad's Enter has it.
  [[nodiscard]] static bool IsExtended(std::uint8_t virtualKey, bool keypad);
  // The virtual key that types a character on a US layout (0 when none).
  [[nodiscard]] static std::uint8_t ForCharacter(char c);
};
