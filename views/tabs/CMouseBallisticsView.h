#pragma once

#include "views/tabs/CControlGroupView.h"

// The puck's acceleration in mouse mode, shown as a ballistics slider.
class CMouseBallisticsView : public CControlGroupView {
 public:
  using CControlGroupView::CControlGroupView;
  [[nodiscard]] Status Build() override;
};
