#pragma once

#include "toolkit/ZafDialogWindow.h"

// "ModifiersDialog": its check boxes are bound to the modifier bits by the
// main window; the dialog only keeps OK from confirming an empty mask.
class CDefineModifierDialog : public ZafDialogWindow {
 public:
  ZafEventType Event(const ZafEventStruct& event) override;

 private:
  void Open();
  // OK only with a modifier ticked; the focus where it can act.
  void UpdateOk();

  ZafWindowObject* m_okButton = nullptr;
};
