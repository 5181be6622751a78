#pragma once

#include "settings/CCompositeData.h"

// The "eraser in use" check box (1 ticked, 0 not) over the driver's eraser
// value, in which 0 means the eraser is in use and 2 that it is not.
class CUDPenHasEraser : public CCompositeData {
 public:
  CUDPenHasEraser();
  ~CUDPenHasEraser() override;

  // None gives 0x102.
  [[nodiscard]] Status SetSources(CDriverData* eraser);

  // A failing read is answered and nothing is written.
  [[nodiscard]] Status Get(void* out) override;
  [[nodiscard]] Status Set(const void* value) override;
  [[nodiscard]] Status Revert() override;
  [[nodiscard]] Status Commit() override;
  [[nodiscard]] Status SetDefault() override;
  [[nodiscard]] Status Apply() override;
};
