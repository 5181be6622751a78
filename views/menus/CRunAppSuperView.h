#pragma once

#include "settings/StItemRow.h"
#include "views/CDialogSuperView.h"

// The run dialog's views: the program's path (2201) and the function's name (2202).
class CRunAppSuperView : public CDialogSuperView {
 public:
  using CDialogSuperView::CDialogSuperView;
  [[nodiscard]] Status BuildFor(ItemId path, ItemId name);
};
