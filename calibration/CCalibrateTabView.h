#pragma once

#include "views/CSuperView.h"

// The calibrate tab of a pen display; its monitor list and calibration
// come with the calibration views.
class CCalibrateTabView : public CSuperView {
 public:
  using CSuperView::CSuperView;
  [[nodiscard]] Status Build() override;
};
