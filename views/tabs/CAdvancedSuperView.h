#pragma once

#include "views/CSuperView.h"

// The advanced settings dialog's views: the side-switch mode of the tip.
class CAdvancedSuperView : public CSuperView {
 public:
  using CSuperView::CSuperView;
  // A request to the dialog's id goes to every child; its OK or Cancel then
  // lets go of the dialog.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] Status Build() override;
};
