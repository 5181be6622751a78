#pragma once

#include "views/CSuperView.h"

// The tablet tab: wireless signal, battery and joystick scrolling.
class CTabletView : public CSuperView {
 public:
  using CSuperView::CSuperView;
  [[nodiscard]] Status Build() override;
};
