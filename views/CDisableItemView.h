#pragma once

#include "views/CItemView.h"

// Only enables or greys its control: it never hides it and never asks for
// the value to be shown again.
class CDisableItemView : public CItemView {
 public:
  using CItemView::CItemView;

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] Status Build() override;
};
