#pragma once

// A keystroke as the driver keeps it: one little-endian 32-bit word with the
// modifiers in bytes 0-1, the character the key typed in byte 2 (0 for a key
// known by its code alone) and the key code in byte 3. A zero word ends a
// keystroke sequence.

#include <cstddef>
#include <cstdint>

using KeystrokeWord = std::uint32_t;

// A sequence value: 256 bytes, up to 64 words.
inline constexpr std::size_t kKeystrokeValueBytes = 256;
inline constexpr std::size_t kKeystrokeValueWords = kKeystrokeValueBytes / sizeof(KeystrokeWord);

[[nodiscard]] constexpr KeystrokeWord MakeKeystrokeWord(std::uint8_t keyCode, std::uint8_t character,
                                                        std::uint16_t modifiers) {
  return static_cast<KeystrokeWord>(modifiers) | (static_cast<KeystrokeWord>(character) << 16) |
         (static_cast<KeystrokeWord>(keyCode) << 24);
}
[[nodiscard]] constexpr std::uint16_t KeystrokeModifiers(KeystrokeWord word) {
  return static_cast<std::uint16_t>(word & 0xFFFFU);
}
[[nodiscard]] constexpr std::uint8_t KeystrokeCharacter(KeystrokeWord word) {
  return static_cast<std::uint8_t>((word >> 16) & 0xFFU);
}
[[nodiscard]] constexpr std::uint8_t KeystrokeKeyCode(KeystrokeWord word) {
  return static_cast<std::uint8_t>(word >> 24);
}

// Word `index` of a raw sequence value, read little-endian.
[[nodiscard]] KeystrokeWord ReadKeystrokeWord(const std::byte* value, std::size_t index);
// Stores `word` little-endian as word `index` of a raw value.
void WriteKeystrokeWord(std::byte* value, std::size_t index, KeystrokeWord word);
