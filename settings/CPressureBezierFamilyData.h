#pragma once

#include "settings/CPressureBezierData.h"

// The curve item of one tablet family: its answers come from the family's
// table alone.
template <const StCurveFamily& kFamily>
class CPressureBezierFamilyData final : public CPressureBezierData {
 public:
  [[nodiscard]] std::array<std::int16_t, 3> GetCurvePoints(std::uint16_t position) const override {
    const StCurvePoint& row = kFamily.rows.at(position);
    return {row.a, row.b, row.c};
  }
  [[nodiscard]] std::int32_t GetRatioLimit(std::uint16_t position) const override {
    return kFamily.rows.at(position).ratioLimit;
  }
  [[nodiscard]] std::uint32_t GetFullScale() const override { return kFamily.fullScale; }
};

using CPressureBezierDataKRB = CPressureBezierFamilyData<kCurveKRB>;
using CPressureBezierDataMJ = CPressureBezierFamilyData<kCurveMJ>;
using CPressureBezierDataQVN = CPressureBezierFamilyData<kCurveQVN>;
using CPressureBezierDataXFW = CPressureBezierFamilyData<kCurveXFW>;
