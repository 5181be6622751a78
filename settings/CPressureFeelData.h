#pragma once

#include "settings/CCompositeData.h"

class CClickThresholdData;
class CPressureBezierData;

// The single feel slider: one position (0 to 6) drives the click threshold
// and the pressure curve together; it reads as the mean of the two.
class CPressureFeelData : public CCompositeData {
 public:
  CPressureFeelData();
  ~CPressureFeelData() override;

  // None for either gives 0xFFFF.
  [[nodiscard]] Status SetSources(CClickThresholdData* click, CPressureBezierData* curve);

  // (curve position + click position) / 2; a part that has no position
  // answers its status.
  [[nodiscard]] Status Get(void* out) override;
  // Sets the curve, then the click, to the position; 0 even when the driver
  // refuses one of them. 0x600 for a position outside the table.
  [[nodiscard]] Status Set(const void* value) override;
  [[nodiscard]] Status Revert() override;
};
