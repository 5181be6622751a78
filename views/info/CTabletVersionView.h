#pragma once

#include "views/info/CInfoItemView.h"

// The tablet's firmware version: the first three bytes of its version record
// as "1.20" (major, minor tens and units digits).
class CTabletVersionView : public CInfoItemView {
 public:
  using CInfoItemView::CInfoItemView;

 protected:
  [[nodiscard]] Status WriteText(char* text) override;
};
