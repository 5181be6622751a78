#pragma once

#include "settings/StItemRow.h"
#include "views/CSuperView.h"

// The driver on/off group: one check box bound to the driver's on flag.
class COnOffView : public CSuperView {
 public:
  using CSuperView::CSuperView;

  // Routes to the check box but never claims the request.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  [[nodiscard]] Status Build() override;
};
