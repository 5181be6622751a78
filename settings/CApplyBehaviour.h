#pragma once

#include "settings/CBehaviour.h"

// Holds changes until Apply, which writes them and makes them the baseline.
class CApplyBehaviour : public CBehaviour {
 public:
  [[nodiscard]] Status OnSet(CDriverData& item) override;
  [[nodiscard]] Status OnRevert(CDriverData& item) override;
  [[nodiscard]] Status OnDefault(CDriverData& item) override;
  [[nodiscard]] Status OnApply(CDriverData& item) override;
  [[nodiscard]] Status Read(CDriverData& item) override;
  [[nodiscard]] Status ReadDefault(CDriverData& item) override;
};
