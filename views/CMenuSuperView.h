#pragma once

#include "views/CSuperView.h"

// An inert placeholder in the view tree: no children, claims nothing.
class CMenuSuperView : public CSuperView {
 public:
  using CSuperView::CSuperView;

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] Status Build() override;
};
