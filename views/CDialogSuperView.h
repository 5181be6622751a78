#pragma once

#include "views/CSuperView.h"

// The root of a modal dialog's views. While attached it sits on top of the
// main window's root stack, so that every request goes to it first.
class CDialogSuperView : public CSuperView {
 public:
  using CSuperView::CSuperView;

  // A request to the dialog's own id goes to every child; its OK (Apply) or
  // Cancel (Revert) then closes the dialog's view side and passes the
  // request on to the root below.
  [[nodiscard]] ViewResult Dispatch(ViewRequest& request) override;
  // Pushes the dialog, loads its values and commits them, so that Cancel
  // restores what the dialog opened with.
  [[nodiscard]] ViewResult Attach(CDataGrouping* data, std::int32_t index) override;
};
