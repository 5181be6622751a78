#pragma once

#include <cstdint>

// A rectangle with inclusive edges, in pixels relative to the parent's client
// area (screen pixels for top-level windows).
struct ZafRegion {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = -1;
  std::int32_t bottom = -1;

  [[nodiscard]] static constexpr ZafRegion FromSize(std::int32_t x, std::int32_t y, std::int32_t width,
                                                    std::int32_t height) {
    return {x, y, x + width - 1, y + height - 1};
  }
  [[nodiscard]] constexpr std::int32_t Width() const { return right - left + 1; }
  [[nodiscard]] constexpr std::int32_t Height() const { return bottom - top + 1; }
  bool operator==(const ZafRegion&) const = default;
};
