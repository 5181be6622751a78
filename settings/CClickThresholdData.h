#pragma once

#include <cstdint>

#include "settings/CCompositeData.h"
#include "settings/FeelTables.h"

// A feel slider position (0 to 6) over a click threshold: Set writes the
// position's percentage of the tablet's pressure levels (the axis); Get
// answers the lowest position whose threshold is at least the driver's. A
// family class supplies the percentages. The axis is only read.
class CClickThresholdData : public CCompositeData {
 public:
  CClickThresholdData();
  ~CClickThresholdData() override;

  // None for either gives 0xFFFF.
  [[nodiscard]] Status SetSources(CDriverData* threshold, CDriverData* axis);

  // 0x600 when the threshold is above every position, or the axis is 0.
  [[nodiscard]] Status Get(void* out) override;
  // 0x600 for a position outside the table; else the threshold's Set.
  [[nodiscard]] Status Set(const void* value) override;
  [[nodiscard]] Status Revert() override;

  [[nodiscard]] virtual std::int32_t GetThresholdPercent(std::uint16_t position) const = 0;

 private:
  CDriverData* m_axis = nullptr;
};
