#pragma once

#include "settings/CCompositeData.h"

// A tool's name as shown: the name the driver holds, or, when that is empty,
// the language string of table "2102" for the tool's type code.
class CCorrelatedTransNameData : public CCompositeData {
 public:
  CCorrelatedTransNameData();
  ~CCorrelatedTransNameData() override;

  // None for either gives 0x102.
  [[nodiscard]] Status SetSources(CDriverData* name, CDriverData* typeCode);

  // `out` takes a text of the item's size. Answers the name's status, or for
  // a fallback the type code read's status.
  [[nodiscard]] Status Get(void* out) override;
  // Only the name is edited; the type code is refreshed with it.
  [[nodiscard]] Status Set(const void* value) override;
  [[nodiscard]] Status Revert() override;
  [[nodiscard]] Status Commit() override;
  [[nodiscard]] Status SetDefault() override;
  [[nodiscard]] Status Apply() override;
};
