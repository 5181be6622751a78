#pragma once

#include "settings/CCompositeData.h"

// The force-proportions value (1 on, 2 off in the driver) as an on/off
// switch: 1 only when the driver holds 1.
class CMappingProportionOnOff : public CCompositeData {
 public:
  CMappingProportionOnOff();

  [[nodiscard]] Status SetSources(CDriverData* proportions);

  [[nodiscard]] Status Get(void* out) override;
  [[nodiscard]] Status Set(const void* value) override;
};
