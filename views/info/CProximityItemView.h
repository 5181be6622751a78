#pragma once

#include "views/info/CInfoItemView.h"

// Whether the tool is near the tablet: the general text for "in proximity"
// for any value but 0, "out of proximity" for 0.
class CProximityItemView : public CInfoItemView {
 public:
  using CInfoItemView::CInfoItemView;

 protected:
  [[nodiscard]] Status WriteText(char* text) override;
};
