#pragma once

#include <array>
#include <cstdint>

#include "settings/CCompositeData.h"
#include "settings/FeelTables.h"

// A feel slider position (0 to 6) over a pressure curve of six 16-bit words.
// Set writes the position's control values into w1, w2 and w3, scaled to the
// tablet's pressure levels (the axis); Get answers the firmest position whose
// ratio limit w2 * 100 / w3 still meets. A family class supplies the table.
// Only the curve is edited through this item; the axis is only read.
class CPressureBezierData : public CCompositeData {
 public:
  CPressureBezierData();
  ~CPressureBezierData() override;

  // None for either gives 0xFFFF.
  [[nodiscard]] Status SetSources(CDriverData* curve, CDriverData* axis);

  // 0x600 when no position fits (or w3 is 0).
  [[nodiscard]] Status Get(void* out) override;
  // 0x600 for a position outside the table; else the curve's Set.
  [[nodiscard]] Status Set(const void* value) override;
  [[nodiscard]] Status Revert() override;

  [[nodiscard]] virtual std::array<std::int16_t, 3> GetCurvePoints(
      std::uint16_t position) const = 0;
  [[nodiscard]] virtual std::int32_t GetRatioLimit(std::uint16_t position) const = 0;
  [[nodiscard]] virtual std::uint32_t GetFullScale() const = 0;

 private:
  CDriverData* m_axis = nullptr;
};
