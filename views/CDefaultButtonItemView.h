#pragma once

#include "views/CItemView.h"

// The push button that resets a tab or dialog to the driver's defaults.
class CDefaultButtonItemView : public CItemView {
 public:
  explicit CDefaultButtonItemView(std::uint32_t controlId, ItemId itemId = 0,
                                  std::uint32_t valueType = 0)
      : CItemView(controlId, itemId, valueType) {}

  // A press (Set to this control) resets, applies and refreshes every view
  // of the current root, in that order.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
};
