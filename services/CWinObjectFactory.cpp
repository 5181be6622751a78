#include "services/CWinObjectFactory.h"

#include <new>

#include "services/CDriverInterface.h"
#include "services/CWinEventTranslator.h"
#include "services/CWinStringManager.h"

namespace {
CWinObjectFactory::DriverInterfaceMaker g_driverInterfaceMaker = nullptr;
}  // namespace

void CWinObjectFactory::SetDriverInterfaceMaker(DriverInterfaceMaker maker) {
  g_driverInterfaceMaker = maker;
}

std::unique_ptr<CDriverInterface> CWinObjectFactory::MakeDriverInterface() {
  if (g_driverInterfaceMaker == nullptr) return nullptr;
  return g_driverInterfaceMaker();
}

std::unique_ptr<CEventTranslator> CWinObjectFactory::MakeEventTranslator() {
  return std::unique_ptr<CEventTranslator>(new (std::nothrow) CWinEventTranslator());
}

std::unique_ptr<CStringManager> CWinObjectFactory::MakeStringManager() {
  return std::unique_ptr<CStringManager>(new (std::nothrow) CWinStringManager());
}
