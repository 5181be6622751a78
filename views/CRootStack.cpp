#include "views/CRootStack.h"

CRootStack* FindRootStack() {
  CEventTranslator* translator = GetEventTranslator();
  if (translator == nullptr) return nullptr;
  return dynamic_cast<CRootStack*>(translator->GetListener());
}
