#pragma once

#include <cstdint>
#include <optional>

#include "functions/KeystrokeWord.h"

// One key message as the keystroke field receives it.
struct StKeyMessage {
  std::uint8_t virtualKey = 0;
  // The character the key typed under the user's layout (0: none).
  std::uint8_t character = 0;
  bool down = true;
  // Repeat count, extended-key bit (24), previous state (30) and transition (31).
  std::uint32_t keyData = 0;
};

inline constexpr std::uint32_t kKeyDataExtended = 1U << 24;
inline constexpr std::uint32_t kKeyDataWasDown = 1U << 30;
inline constexpr std::uint32_t kKeyDataReleased = 1U << 31;

// Turns a key message into a keystroke word, or into a change of the held
// modifiers (`modifierState`: 1 Alt, 2 Ctrl, 4 Shift). Repeats and releases
// give no word; a dedicated navigation code needs the extended bit.
[[nodiscard]] std::optional<KeystrokeWord> CaptureKey(const StKeyMessage& key, std::uint32_t& modifierState);
