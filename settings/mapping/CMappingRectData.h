#pragma once

#include <array>
#include <cstdint>

#include "settings/CCompositeData.h"

// A rectangle (top, left, bottom, right; signed 32-bit each) presented over an
// origin and an extent of three signed 32-bit words (x, y and a third word
// the rectangle leaves as the driver has it).
class CMappingRectData : public CCompositeData {
 public:
  using Words = std::array<std::int32_t, 3>;
  using Rect = std::array<std::int32_t, 4>;

  CMappingRectData();

  [[nodiscard]] Status SetSources(CDriverData* origin, CDriverData* extent);

  [[nodiscard]] Status Get(void* out) override;
  // Writes the origin, then the extent; the extent's failure wins.
  [[nodiscard]] Status Set(const void* value) override;

  [[nodiscard]] static Rect FromOriginExtent(const Words& origin, const Words& extent);
};
