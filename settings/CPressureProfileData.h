#pragma once

#include "settings/CCompositeData.h"

// The click threshold and the pressure curve as one 14-byte value: the
// 16-bit threshold followed by the six curve words.
class CPressureProfileData : public CCompositeData {
 public:
  CPressureProfileData();
  ~CPressureProfileData() override;

  // None for either gives 0x102.
  [[nodiscard]] Status SetSources(CDriverData* threshold, CDriverData* curve);

  [[nodiscard]] Status Get(void* out) override;
  [[nodiscard]] Status Set(const void* value) override;
  [[nodiscard]] Status Revert() override;
};
