#pragma once

#include "views/CSuperView.h"

// The tablet tab of a wireless tablet: its defaults, the signal and battery
// pictures, the low-battery warning and the joystick.
class CTabletView : public CSuperView {
 public:
  using CSuperView::CSuperView;
  [[nodiscard]] Status Build() override;
};
