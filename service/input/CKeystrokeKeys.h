#pragma once

#include <cstdint>
#include <optional>

// One key press as a keyboard device sends it: the key and the modifiers
// held around it.
struct StKeyPress {
  std::uint16_t key = 0;
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  friend bool operator==(const StKeyPress&, const StKeyPress&) = default;
};

// Turns keystroke words (modifiers in bytes 0-1, character in byte 2, key
// code in byte 3) into key presses on a US keyboard: a printable character
// is typed with the key that makes it, shifted when it needs it; otherwise
// the key code names the key (a virtual-key code or one of the dedicated
// codes 225 to 246).
class CKeystrokeKeys {
 public:
  [[nodiscard]] static std::optional<StKeyPress> FromWord(std::uint32_t word);
  // The key that types `character`, and whether Shift makes it.
  [[nodiscard]] static std::optional<StKeyPress> FromCharacter(char character);
  [[nodiscard]] static std::uint16_t FromKeyCode(std::uint8_t keyCode);

  static constexpr std::uint16_t kAlt = 1;
  static constexpr std::uint16_t kCtrl = 2;
  static constexpr std::uint16_t kShift = 4;
};
