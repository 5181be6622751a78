#pragma once

#include "toolkit/ZafWindow.h"

// A window shown modally by default; the application's dialogs derive from it.
class ZafDialogWindow : public ZafWindow {
 public:
  ZafDialogWindow() : ZafWindow("ZafDialogWindow") { SetModal(true); }
};
