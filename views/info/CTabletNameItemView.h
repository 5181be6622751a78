#pragma once

#include "views/info/CInfoItemView.h"

// The tablet's model name: string "2100" at the model code plus 1.
class CTabletNameItemView : public CInfoItemView {
 public:
  using CInfoItemView::CInfoItemView;

 protected:
  [[nodiscard]] Status WriteText(char* text) override;
};
