#pragma once

#include "views/CSuperView.h"

// The puck tab: the puck image, its defaults and the mouse speed. Button
// menus, wheel and tracking mode come with their own views.
class CPuckView : public CSuperView {
 public:
  using CSuperView::CSuperView;
  [[nodiscard]] Status Build() override;
};
