#pragma once

#include "views/CSuperView.h"

// The puck tab: the puck image, its defaults, its button menus, its finger
// wheel, and the mouse-mode settings of its first mapping.
class CPuckView : public CSuperView {
 public:
  using CSuperView::CSuperView;
  [[nodiscard]] Status Build() override;
};
