#pragma once

#include "settings/CClickThresholdData.h"

// The click item of one tablet family.
template <const ClickPercents& kPercents>
class CClickThresholdFamilyData final : public CClickThresholdData {
 public:
  [[nodiscard]] std::int32_t GetThresholdPercent(std::uint16_t position) const override {
    return kPercents.at(position);
  }
};

using CClickThresholdDataKRB = CClickThresholdFamilyData<kClickKRB>;
using CClickThresholdDataMJ = CClickThresholdFamilyData<kClickMJ>;
using CClickThresholdDataQVN = CClickThresholdFamilyData<kClickQVN>;
using CClickThresholdDataXFW = CClickThresholdFamilyData<kClickXFW>;
