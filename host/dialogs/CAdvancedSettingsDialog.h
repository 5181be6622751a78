#pragma once

#include "toolkit/ZafDialogWindow.h"

// "AdvancedSettings": how the pen's side switch clicks on a Tablet PC. Its
// views are the advanced settings view, which the stylus tab's views make way
// for while it is open.
class CAdvancedSettingsDialog : public ZafDialogWindow {
 public:
  // After the toolkit's own handling: opening binds the dialog's views and
  // puts the focus on Close; OK applies them and hands the main window back
  // to the stylus tab's views.
  ZafEventType Event(const ZafEventStruct& event) override;
};
