#pragma once

#include "views/CSuperView.h"

// The stylus tab: the pen image, its defaults, eraser and tip feel and the
// double-click distance. Switch menus and the tracking-mode group come with
// their own views.
class CStylusView : public CSuperView {
 public:
  using CSuperView::CSuperView;
  [[nodiscard]] Status Build() override;
};
