#pragma once

#include "settings/StItemRow.h"
#include "views/CDialogSuperView.h"

// The modifier dialog's views: the mask (2101), its six bits (2102-2107) and
// the mask again (2108), which matches while the mask is 0 so that the
// window can tell whether OK makes sense.
class CModifiersSuperView : public CDialogSuperView {
 public:
  using CDialogSuperView::CDialogSuperView;
  [[nodiscard]] Status BuildFor(ItemId mask);
  // A ticked box changes the mask: 2108 is evaluated again.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
};
