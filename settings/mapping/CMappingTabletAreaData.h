#pragma once

#include "settings/CCompositeData.h"

// The tablet-area choice 0..3 over the driver's tablet area flag and tablet
// area mode. Choices 2 and 3 are modes of their own and leave the flag as the
// driver has it; 0 and 1 are mode 3 with the flag clear or set.
class CMappingTabletAreaData : public CCompositeData {
 public:
  CMappingTabletAreaData();

  [[nodiscard]] Status SetSources(CDriverData* flag, CDriverData* mode);

  [[nodiscard]] Status Get(void* out) override;
  // Writes the flag (choices 0 and 1 only), then the mode; the mode's
  // failure wins.
  [[nodiscard]] Status Set(const void* value) override;
};
