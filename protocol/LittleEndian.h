#pragma once

#include <cstddef>
#include <cstdint>

// Numbers cross the wire, the state file and the driver's buffers least
// significant byte first, whatever the host's own order.

// The number in the `size` bytes at `at`; past eight bytes only the first
// eight count.
[[nodiscard]] constexpr std::uint64_t GetLittleEndian(const std::uint8_t* at, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = size < 8 ? size : 8; i > 0; --i) value = (value << 8) | at[i - 1];
  return value;
}

// Writes the low `size` bytes of `value` at `at`; bytes past the eighth are 0.
constexpr void PutLittleEndian(std::uint8_t* at, std::size_t size, std::uint64_t value) {
  for (std::size_t i = 0; i < size; ++i) {
    at[i] = static_cast<std::uint8_t>(value);
    value >>= 8;
  }
}

[[nodiscard]] constexpr std::uint16_t GetU16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(GetLittleEndian(at, 2));
}

[[nodiscard]] constexpr std::uint32_t GetU32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(GetLittleEndian(at, 4));
}

constexpr void PutU16(std::uint8_t* at, std::uint16_t value) { PutLittleEndian(at, 2, value); }

constexpr void PutU32(std::uint8_t* at, std::uint32_t value) { PutLittleEndian(at, 4, value); }
