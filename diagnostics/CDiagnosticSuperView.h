#pragma once

#include "views/CDialogSuperView.h"

// The root of the diagnostics dialog: attaching it opens the dialog. Shows
// the driver version; the live data views come with the diagnostics.
class CDiagnosticSuperView : public CDialogSuperView {
 public:
  using CDialogSuperView::CDialogSuperView;
  [[nodiscard]] Status Build() override;
};
