#pragma once

#include "views/CItemView.h"

// Room a text-producing view's Get needs at the request's data.
inline constexpr std::size_t kViewTextCapacity = 32;

// Read-only text: the item's 16-bit value (0..1023) as a percentage.
class CPercentItemView : public CItemView {
 public:
  using CItemView::CItemView;

  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
};
