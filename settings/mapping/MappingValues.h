#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "settings/CDriverData.h"

// Typed access to the source items of the mapping's composite items. A source
// is read or written whole whatever T is: a shorter T takes the first bytes,
// a longer one is padded with zero bytes, so no buffer is overrun.

inline constexpr std::size_t kLargestItemSize = 256;

// The source's current value; the read's status is not wanted here because a
// composite shows zeros for a value the driver does not give.
template <typename T>
[[nodiscard]] T SourceValue(CDriverData& source) {
  std::array<std::byte, kLargestItemSize> scratch{};
  DropStatus(source.Get(scratch.data()), "a value that cannot be read shows as zero");
  T value{};
  std::memcpy(&value, scratch.data(), std::min<std::size_t>(sizeof(T), source.GetSize()));
  return value;
}

template <typename T>
[[nodiscard]] Status SetSourceValue(CDriverData& source, const T& value) {
  std::array<std::byte, kLargestItemSize> scratch{};
  std::memcpy(scratch.data(), &value, std::min<std::size_t>(sizeof(T), kLargestItemSize));
  return source.Set(scratch.data());
}

// Of two writes, the failure of the one that counts more, else the other's.
[[nodiscard]] constexpr Status PreferFailure(Status preferred, Status other) {
  return preferred != kStatusOk ? preferred : other;
}

// Signed 32-bit sums and differences that wrap instead of overflowing.
[[nodiscard]] constexpr std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
[[nodiscard]] constexpr std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
