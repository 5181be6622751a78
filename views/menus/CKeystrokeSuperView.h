#pragma once

#include "settings/StItemRow.h"
#include "views/CDialogSuperView.h"

// The keystroke dialog's views: its sequence (2001).
class CKeystrokeSuperView : public CDialogSuperView {
 public:
  using CDialogSuperView::CDialogSuperView;
  // Binds the sequence to `keystroke`; a second call binds anew.
  [[nodiscard]] Status BuildFor(ItemId keystroke);
};
