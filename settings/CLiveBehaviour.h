#pragma once

#include "settings/CBehaviour.h"

// Writes every change at once; reads come from the driver.
class CLiveBehaviour : public CBehaviour {
 public:
  [[nodiscard]] Status OnSet(CDriverData& item) override;
  [[nodiscard]] Status OnRevert(CDriverData& item) override;
  [[nodiscard]] Status OnDefault(CDriverData& item) override;
  [[nodiscard]] Status OnApply(CDriverData& item) override;
  [[nodiscard]] Status Read(CDriverData& item) override;
  [[nodiscard]] Status ReadDefault(CDriverData& item) override;
};
