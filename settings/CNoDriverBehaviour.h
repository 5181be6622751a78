#pragma once

#include "settings/CBehaviour.h"

// Never reads the driver; the value reaches it only through ForceWrite.
class CNoDriverBehaviour : public CBehaviour {
 public:
  [[nodiscard]] Status OnSet(CDriverData& item) override;
  [[nodiscard]] Status OnRevert(CDriverData& item) override;
  [[nodiscard]] Status OnDefault(CDriverData& item) override;
  [[nodiscard]] Status OnApply(CDriverData& item) override;
  [[nodiscard]] Status Read(CDriverData& item) override;
  [[nodiscard]] Status ReadDefault(CDriverData& item) override;
};
