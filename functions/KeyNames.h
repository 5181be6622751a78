#pragma once

// The names of the keys a keystroke shows by name, and the text of one
// keystroke word as the user reads it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "functions/KeystrokeWord.h"

struct StKeyName {
  const char* name;
  std::uint8_t virtualKey;
  std::uint8_t keyCode;
};

// The 74 rows in search order, without the end row. The first 22 give the
// dedicated navigation and function keys codes of their own (225 to 246).
[[nodiscard]] std::span<const StKeyName> KeyNameTable();
// The first row with that virtual-key code, or key code; none at the end.
[[nodiscard]] const StKeyName* FindByVirtualKey(std::uint8_t virtualKey);
[[nodiscard]] const StKeyName* FindByKeyCode(std::uint8_t keyCode);

// The longest text of one word: three prefixes and the longest name.
inline constexpr std::size_t kKeystrokeWordTextMax = 33;

// "{Ctrl}", "{Alt}", "{Shift}" before a key's name; a typed character shows
// Shift only with Ctrl and when it is no digit or capital, and '{' as "{{}".
[[nodiscard]] std::string KeystrokeWordText(KeystrokeWord word);

// The keystrokes of the keystroke dialog's special menu, by menu item.
struct StSpecialKeystroke {
  const char* menuItem;
  KeystrokeWord word;
};
[[nodiscard]] std::span<const StSpecialKeystroke> SpecialKeystrokes();
