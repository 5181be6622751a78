#pragma once

#include <cstdint>

// One level of a driver path: what it names (code), which instance (index) and
// a second selector (qualifier). Code 0 ends a key array.
struct StObjectKey {
  std::uint32_t qualifier = 0;
  std::uint16_t code = 0;
  std::uint32_t index = 0;

  friend bool operator==(const StObjectKey&, const StObjectKey&) = default;
};

inline constexpr std::uint16_t kMaxObjectKeyCode = 262;
inline constexpr std::size_t kObjectKeyWireSize = 12;
