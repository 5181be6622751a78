#pragma once

#include "views/tabs/CControlGroupView.h"

class CItemView;

// The puck's finger wheel: what a notch does, and the line count, which only
// scrolling by lines uses.
class CFingerWheelView : public CControlGroupView {
 public:
  using CControlGroupView::CControlGroupView;

  // Enables the line count only while the wheel scrolls by lines.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] Status Build() override;

 private:
  // Shows the line count enabled for scrolling by lines, greyed otherwise.
  void FollowFunction(std::uint32_t function);

  CItemView* m_functionView = nullptr;
  CItemView* m_linesView = nullptr;
};
