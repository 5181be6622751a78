#pragma once

#include "services/CEventTranslator.h"

class CKelvoView;

// The root of the main window's view tree: the translator's listener, which
// hands every request to the dialog root on top of its stack while a modal
// dialog is open. The main window's upper view implements it.
class CRootStack : public CRequestListener {
 public:
  virtual void PushRoot(CKelvoView* view) = 0;
  // Removes the top entry, if there is one.
  virtual void PopRoot() = 0;
};

// The root stack the process-wide translator sends to, or none.
[[nodiscard]] CRootStack* FindRootStack();
